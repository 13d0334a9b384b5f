#pragma once

#include "import/EPUBParseResult.h"
#include "import/XmlDocument.h"
#include "tokenize/WordToken.h"

#include <QByteArray>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QString;

namespace tavrin {

class ZipArchive;

/// The EPUB importer: reads an EPUB archive in place (nothing is extracted to disk) and
/// returns its words, start position, cover and metadata. Stateless; every function may
/// run on any thread, and calls never share anything.
namespace EPUBParser {

/// Normalized archive path of each chapter file that produced words -> its chapter index.
using ChapterMap = std::map<std::string, std::int64_t>;
/// Manifest item id -> its href as written.
using Manifest = std::map<std::string, std::string>;
/// Parsed navigation documents, each with the archive folder its links are relative to.
using NavigationDocuments = std::vector<std::pair<XmlDocument, std::string>>;

/// Reads the EPUB file at path. Chapters are read in spine order, each file once however
/// often the spine lists it, and tokenized on a few threads; the result is the same as
/// reading them one by one. An archive that would unpack to more than the importer's
/// budgets (bytes per entry and per book, elements per document, tokens per book) fails
/// as unzipFailed, as does one that is not a ZIP archive. Running out of memory, on any of
/// the threads, throws std::bad_alloc to the caller.
EPUBParseOutcome parse(const QString& path);
/// Reads an EPUB archive held in memory.
EPUBParseOutcome parse(const QByteArray& archiveBytes);
/// Reads an opened archive; the two above open it and come here.
EPUBParseOutcome parse(ZipArchive& archive);

// Content walker.

/// The words of one chapter document (XHTML, or HTML that the tidying parse repairs),
/// each with the given chapter index. Never fails: unreadable bytes give no tokens.
std::vector<WordToken> parseHTMLContent(std::string_view data, std::int64_t chapterIndex);

/// Appends the words inside node to tokens, in document order: skips style, script,
/// head, nav and aside; marks words inside h1..h6 as heading words; lengthens the pause
/// on the last word of every block and heading. Iterative, so nesting depth costs heap
/// rather than stack.
void walkNode(const xmlNode* node, std::int64_t chapterIndex, bool inHeading,
              std::vector<WordToken>& tokens);

// Start position.

/// The token where reading of a new book begins: the EPUB 2 guide's "text" or
/// "bodymatter" reference, else the landmarks of navDocs (the EPUB 3 navigation
/// documents), else the first chapter of at least 150 words without front-matter markers,
/// else 0.
std::int64_t findStartIndex(const XmlDocument& opfDoc, const std::string& opfDir,
                            const NavigationDocuments& navDocs,
                            const ChapterMap& pathToChapterIndex,
                            const std::vector<WordToken>& tokens);

// Contents.

/// The book's own table of contents: the "toc" list of navDocs (nested lists one level
/// deeper each), else the NCX's navMap. Each entry points at the first word
/// of the chapter that holds its target; entries without a title, or whose target is no
/// chapter with words or a chapter an earlier entry already names, are left out.
std::vector<ContentsEntry> readContents(ZipArchive& archive, const XmlDocument& opfDoc,
                                        const std::string& opfDir, const Manifest& manifest,
                                        const NavigationDocuments& navDocs,
                                        const ChapterMap& pathToChapterIndex,
                                        const std::vector<WordToken>& tokens);

/// The navigation documents the package lists (manifest items with the "nav" property),
/// each parsed, with the archive folder its links are relative to.
NavigationDocuments navigationDocuments(ZipArchive& archive, const XmlDocument& opfDoc,
                                        const std::string& opfDir);

/// A contents title as shown: whitespace runs collapsed to one space, trimmed, invalid UTF-8
/// repaired, cut to kMaxContentsTitleChars characters.
std::string contentsTitle(std::string_view raw);
constexpr std::size_t kMaxContentsTitleChars = 200;

// Cover and metadata.

/// The bytes of the cover image file as stored: the EPUB 3 "cover-image" item, else the
/// EPUB 2 cover meta's item, else an image item whose id contains "cover".
std::optional<QByteArray> extractCoverImage(ZipArchive& archive, const XmlDocument& opfDoc,
                                            const std::string& opfDir, const Manifest& manifest);

/// "Tolstoy, Leo" -> "Leo Tolstoy"; trims spaces and trailing ";,." clutter.
std::string normalizeAuthor(std::string_view raw);

/// Strips a "by ..." tail, "(1965)" years, and subtitles after ": ", " - " or two spaces.
/// author has no influence on the result.
std::string cleanEPUBTitle(std::string_view raw, std::string_view author);

/// Metadata longer than this many characters is cut: no real title, author or date is so
/// long, and nothing a book stores may grow with the entity text of a hostile package.
constexpr std::size_t kMaxMetadataChars = 1000;

/// A package document node's string value, cut to kMaxMetadataChars characters.
std::string metadataText(const xmlNode* node);

/// The first plausible four-digit year (1000 to 2100) of the package's dates, or "".
std::string extractYearFromOPF(const XmlDocument& opfDoc);

} // namespace EPUBParser

} // namespace tavrin

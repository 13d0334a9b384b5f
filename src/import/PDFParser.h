#pragma once

#include "common/Result.h"
#include "import/ImportError.h"
#include "tokenize/ContentsEntry.h"
#include "tokenize/WordToken.h"

#include <QString>

#include <string>
#include <vector>

namespace tavrin::PDFParser {

/// The words of a PDF's text layer, page after page, read by the plain-text tokenizer as one
/// running text: without running heads, feet and page numbers, with sentences running on
/// across page breaks. Chapters follow the document's outline; without one, every token has
/// chapter 0. Fails as unreadable when the file cannot be opened (missing, damaged, not a
/// PDF, locked by a password), as noText when it carries no text. Safe to call from any
/// thread. With contents, also gives one entry per outline chapter (empty without an outline).
Result<std::vector<WordToken>, ImportError> read(const QString& path,
                                                 std::vector<ContentsEntry>* contents = nullptr);

/// The words alone: empty for any failure.
std::vector<WordToken> tokenize(const QString& path);

/// The text tokenize() reads: every page's text in reading order (the order pdftotext
/// gives), lines ending in a line feed, without the running heads and feet, joined across
/// page breaks; pages without text are left out. Empty when the file cannot be opened.
std::string extractText(const QString& path);

} // namespace tavrin::PDFParser

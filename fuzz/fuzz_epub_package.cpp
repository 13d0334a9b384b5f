// The package-document functions: the input is the package document of a fixed book whose
// chapters, navigation document and images exist, so manifest, spine, guide, landmarks,
// cover and metadata are all reached. The metadata string functions get the raw input too.
#include "FuzzArchive.h"
#include "import/EPUBParser.h"
#include "import/XmlDocument.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const char* const kContainer =
    R"(<?xml version="1.0"?><container xmlns="urn:oasis:names:tc:opendocument:xmlns:container">)"
    R"(<rootfiles><rootfile full-path="OEBPS/content.opf"/></rootfiles></container>)";

std::string chapter(const std::string& body)
{
    return R"(<?xml version="1.0"?><html xmlns="http://www.w3.org/1999/xhtml"><body>)" + body +
           "</body></html>";
}

const char* const kNav =
    R"(<?xml version="1.0"?><html xmlns="http://www.w3.org/1999/xhtml" )"
    R"(xmlns:epub="http://www.idpf.org/2007/ops"><body><nav epub:type="landmarks"><ol>)"
    R"(<li><a epub:type="bodymatter" href="../Text/c2.xhtml#x">Start</a></li></ol></nav>)"
    R"(</body></html>)";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string opf(reinterpret_cast<const char*>(data), size);
    const QByteArray archive = tavrin::fuzz::makeArchive({
        {"META-INF/container.xml", kContainer},
        {"OEBPS/content.opf", opf},
        {"OEBPS/Text/c1.xhtml", chapter("<h1>Title page</h1><p>Copyright 2001</p>")},
        {"OEBPS/Text/c2.xhtml", chapter("<p id=\"x\">Once upon a time.</p>")},
        {"OEBPS/Nav/nav.xhtml", kNav},
        {"OEBPS/Images/cover.jpg", "\xFF\xD8\xFF\xE0 cover"},
    });
    // However the package's entities expand, no metadata field grows past its cap.
    const tavrin::EPUBParseOutcome outcome = tavrin::EPUBParser::parse(archive);
    if (const auto* result = outcome ? &outcome.value() : nullptr) {
        constexpr std::size_t kMaxBytes = 4 * tavrin::EPUBParser::kMaxMetadataChars;
        if (result->author.size() > kMaxBytes || result->title.size() > kMaxBytes) {
            __builtin_trap();
        }
    }

    if (const auto doc = tavrin::XmlDocument::parseStrict(opf)) {
        (void)tavrin::EPUBParser::extractYearFromOPF(*doc);
    }
    const std::string author = tavrin::EPUBParser::normalizeAuthor(opf);
    (void)tavrin::EPUBParser::cleanEPUBTitle(opf, author);
    return 0;
}

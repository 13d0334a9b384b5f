#include "import/PDFPageText.h"

#include "tokenize/UnicodeText.h"

#include <GlobalParams.h>
#include <PDFDoc.h>
#include <TextOutputDev.h>
#include <goo/GooString.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>
#include <utility>

namespace tavrin::PDFPageText {

namespace {

// Below this many pages per thread, opening the document again costs more than it saves.
constexpr int kMinPagesPerThread = 8;
constexpr unsigned kMaxThreads = 4;

// Damaged files make poppler complain; a failed import is silent.
void ignorePopplerError(ErrorCategory, Goffset, const char*) {}

std::unique_ptr<PDFDoc> openDocument(const std::string& file)
{
    auto document = std::make_unique<PDFDoc>(std::make_unique<GooString>(file),
                                             std::optional<GooString>(GooString()),
                                             std::optional<GooString>(GooString()));
    // A document locked by a user password does not open either.
    return document->isOk() ? std::move(document) : nullptr;
}

void appendText(void* stream, const char* text, int length)
{
    if (length > 0) {
        static_cast<std::string*>(stream)->append(text, static_cast<std::size_t>(length));
    }
}

// The page's text as poppler wrote it, with its line ends as line feeds, or empty when it
// has none.
std::string cleanPage(const std::string& written)
{
    // The text ends at a NUL, as C strings do.
    std::string_view text(written.data(), std::strlen(written.c_str()));
    // poppler closes every page with a form feed, its page separator.
    if (!text.empty() && text.back() == '\f') {
        text.remove_suffix(1);
    }
    if (text.empty() || !UnicodeText::isValidUtf8(text)) {
        return {};
    }
    // Where poppler ends lines with CR LF (its Windows default), keep only the line feeds:
    // paragraphs are found at bare blank lines.
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t crlf = text.find("\r\n"); crlf != std::string_view::npos;
         crlf = text.find("\r\n", from)) {
        result.append(text.substr(from, crlf - from));
        from = crlf + 1;
    }
    result.append(text.substr(from));
    return result;
}

} // namespace

// Pages are read in parallel where the document is long enough; each thread opens its own
// copy of the document and takes the next unread page until none is left. Each thread keeps
// one text device for all its pages, as pdftotext does: the device caches the colour spaces
// it has set up, and an ICC colour space costs a colour transform, which a device per page
// (poppler's C++ and GLib interfaces) would build again on every page.
std::vector<std::string> read(const std::string& file)
{
    // poppler's settings, shared by every document it has open, stay while these are read.
    const GlobalParamsIniter popplerSettings(ignorePopplerError);
    std::unique_ptr<PDFDoc> first = openDocument(file);
    if (!first) {
        return {};
    }
    const int pageCount = first->getNumPages();
    if (pageCount <= 0) {
        return {};
    }

    std::vector<std::string> pages(static_cast<std::size_t>(pageCount));
    std::atomic<int> nextPage{0};
    std::atomic<bool> failed{false};
    auto work = [&](std::unique_ptr<PDFDoc> document) {
        try {
            if (!document) {
                document = openDocument(file);
            }
            if (!document) {
                return; // the other threads read every page
            }
            std::string written;
            TextOutputDev device(appendText, &written, false, 0, false, false);
            for (int index = nextPage++; index < pageCount && !failed; index = nextPage++) {
                written.clear();
                // As poppler's own page text: 72 dpi, unrotated, the crop box, not printing.
                document->displayPage(&device, index + 1, 72, 72, 0, false, true, false);
                pages[static_cast<std::size_t>(index)] = cleanPage(written);
            }
        } catch (const std::exception&) {
            failed = true;
        }
    };

    const unsigned hardware = std::max(1U, std::thread::hardware_concurrency());
    const unsigned byPages = static_cast<unsigned>(std::max(1, pageCount / kMinPagesPerThread));
    const unsigned threadCount = std::min({hardware, byPages, kMaxThreads});
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < threadCount; ++i) {
        try {
            helpers.emplace_back(work, nullptr);
        } catch (const std::exception&) {
            break; // fewer threads; this one still reads every remaining page
        }
    }
    work(std::move(first));
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (failed) {
        return {};
    }
    return pages;
}

} // namespace tavrin::PDFPageText

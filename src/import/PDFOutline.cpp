#include "import/PDFOutline.h"

#include <glib.h>
#include <poppler.h>

#include <memory>
#include <optional>

namespace tavrin::PDFOutline {

namespace {

// A hostile outline can list any number of entries; a reader's chapter list never needs more.
constexpr std::size_t kMaxEntries = 10000;

struct DocumentDeleter
{
    void operator()(PopplerDocument* document) const { g_object_unref(document); }
};
struct IterDeleter
{
    void operator()(PopplerIndexIter* iter) const { poppler_index_iter_free(iter); }
};
struct ActionDeleter
{
    void operator()(PopplerAction* action) const { poppler_action_free(action); }
};
struct DestDeleter
{
    void operator()(PopplerDest* dest) const { poppler_dest_free(dest); }
};
using Document = std::unique_ptr<PopplerDocument, DocumentDeleter>;
using Iter = std::unique_ptr<PopplerIndexIter, IterDeleter>;

Document open(const std::string& file)
{
    GError* error = nullptr;
    gchar* uri = g_filename_to_uri(file.c_str(), nullptr, &error);
    if (uri == nullptr) {
        g_clear_error(&error);
        return nullptr;
    }
    Document document(poppler_document_new_from_file(uri, nullptr, &error));
    g_free(uri);
    g_clear_error(&error);
    return document;
}

// The entry's title and zero-based page, when its action opens a page of this document.
std::optional<OutlineEntry> entryAt(PopplerDocument* document, PopplerIndexIter* iter, int pages)
{
    const std::unique_ptr<PopplerAction, ActionDeleter> action(poppler_index_iter_get_action(iter));
    if (!action || action->type != POPPLER_ACTION_GOTO_DEST || action->goto_dest.dest == nullptr) {
        return std::nullopt;
    }
    const PopplerDest* dest = action->goto_dest.dest;
    std::unique_ptr<PopplerDest, DestDeleter> named;
    if (dest->type == POPPLER_DEST_NAMED) {
        if (dest->named_dest == nullptr) {
            return std::nullopt;
        }
        named.reset(poppler_document_find_dest(document, dest->named_dest));
        if (!named) {
            return std::nullopt;
        }
        dest = named.get();
    }
    if (dest->page_num < 1 || dest->page_num > pages) {
        return std::nullopt;
    }
    OutlineEntry entry;
    entry.pageIndex = dest->page_num - 1;
    if (action->any.title != nullptr) {
        entry.title = action->any.title;
    }
    return entry;
}

// The entries of one level of the outline; onlyChild receives the child level when the level
// holds a single entry.
std::vector<OutlineEntry> level(PopplerDocument* document, PopplerIndexIter* iter, Iter* onlyChild)
{
    const int pages = poppler_document_get_n_pages(document);
    std::vector<OutlineEntry> entries;
    Iter firstChild;
    std::size_t count = 0;
    do {
        if (++count > kMaxEntries) {
            break;
        }
        // The iterator cannot step back, so the first entry's children are taken now.
        if (count == 1 && onlyChild != nullptr) {
            firstChild.reset(poppler_index_iter_get_child(iter));
        }
        if (std::optional<OutlineEntry> entry = entryAt(document, iter, pages)) {
            entries.push_back(std::move(*entry));
        }
    } while (poppler_index_iter_next(iter) != FALSE);
    if (count == 1 && onlyChild != nullptr) {
        *onlyChild = std::move(firstChild);
    }
    return entries;
}

} // namespace

std::vector<OutlineEntry> chapterEntries(const std::string& file)
{
    const Document document = open(file);
    if (!document) {
        return {};
    }
    const Iter top(poppler_index_iter_new(document.get()));
    if (!top) {
        return {};
    }
    Iter children;
    std::vector<OutlineEntry> entries = level(document.get(), top.get(), &children);
    if (children) {
        return level(document.get(), children.get(), nullptr);
    }
    return entries;
}

} // namespace tavrin::PDFOutline

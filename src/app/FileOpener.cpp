#include "app/FileOpener.h"

#include "import/DocumentKind.h"
#include "import/DocumentLoader.h"
#include "library/LibraryStore.h"
#include "session/ReaderSession.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace tavrin {

FileOpener::FileOpener(ReaderSession& session, DocumentLoader& loader)
    : m_session(session), m_loader(loader)
{
    m_subscription = m_loader.fileImported.subscribe(
        [this](const QString& path, const std::optional<Book>& book) { imported(path, book); });
}

FileOpener::~FileOpener() = default;

void FileOpener::open(const QStringList& paths)
{
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QFileInfo file(paths[i]);
        const QString path = file.absoluteFilePath();
        const bool last = i + 1 == paths.size();
        const Book* known = m_session.library().findImported(file.canonicalFilePath(),
                                                             fileTitle(path), file.size());
        if (known) {
            if (last) {
                m_openWhenImported.reset();
                // Through the loader, as from the library panel: a long book's words are read
                // off the main thread.
                m_loader.openBook(Book(*known));
                m_session.setShowBooks(false);
            }
            continue;
        }
        m_pending.push_back(path);
        if (last) {
            m_openWhenImported = path;
        }
        m_loader.loadByKind(path);
    }
}

void FileOpener::imported(const QString& path, const std::optional<Book>& book)
{
    const auto it = std::find(m_pending.begin(), m_pending.end(), path);
    if (it == m_pending.end()) {
        return; // imported through the window
    }
    m_pending.erase(it);
    if (!book) {
        // The loader has told the reader why; the terminal hears it too.
        std::fprintf(stderr, "tavrin: could not import %s\n", qPrintable(path));
        if (m_openWhenImported == path) {
            m_openWhenImported.reset();
        }
        return;
    }
    if (m_openWhenImported == path) {
        m_openWhenImported.reset();
        m_loader.openBook(*book);
        // The import has just opened the library to show the new book; the reader asked
        // for the book itself.
        m_session.setShowBooks(false);
    }
}

} // namespace tavrin

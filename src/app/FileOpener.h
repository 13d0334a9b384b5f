#pragma once

#include "common/Observers.h"
#include "library/Book.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tavrin {

class DocumentLoader;
class ReaderSession;

/// Opens files handed to the reader from outside, on its command line or by a later launch:
/// each file the library does not hold yet is imported as the open dialog imports it, and the
/// last one is opened, at once when the library already holds it (at its saved word), else
/// once its import has added it. A file that cannot be imported is named in the window and on
/// standard error. Main thread only.
class FileOpener
{
public:
    FileOpener(ReaderSession& session, DocumentLoader& loader);
    ~FileOpener();
    FileOpener(const FileOpener&) = delete;
    FileOpener& operator=(const FileOpener&) = delete;

    /// Paths are taken as given when absolute, else from the current directory.
    void open(const QStringList& paths);

private:
    void imported(const QString& path, const std::optional<Book>& book);

    ReaderSession& m_session;
    DocumentLoader& m_loader;
    /// Imports started here whose completion has not come yet (a path may come twice).
    std::vector<QString> m_pending;
    /// The import whose book is to be opened once added; a later request replaces it.
    std::optional<QString> m_openWhenImported;
    Subscription m_subscription;
};

} // namespace tavrin

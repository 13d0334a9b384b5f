#pragma once

#include "import/DocumentLoader.h"
#include "library/LibraryStore.h"
#include "session/QtClock.h"
#include "session/ReaderSession.h"

#include <QStringList>

#include <memory>

namespace tavrin {

class ContentView;
class FileOpener;

/// The application: the one reader window and what it reads from, the library, the clock,
/// the reader session with its settings file, and the document loader. Create it after the
/// QApplication; the window closes, and the application quits, with Ctrl+Q.
class TavrinApp
{
public:
    TavrinApp();
    ~TavrinApp();
    TavrinApp(const TavrinApp&) = delete;
    TavrinApp& operator=(const TavrinApp&) = delete;

    /// Shows the window and starts the reader.
    void show();
    /// The start-up sequence once the window is on screen: the settings file, full screen
    /// 0.1 s later, the last open book at its saved word, and the reader's keys for the rest
    /// of the run. Nothing plays by itself.
    static void start(ContentView& window);
    /// Imports the files the library does not hold and opens the last one (see FileOpener).
    void openFiles(const QStringList& paths);
    /// Shows the window in front of the others, out of a minimised state.
    void bringToFront();

    ContentView& window() { return *m_window; }
    ReaderSession& session() { return m_session; }
    DocumentLoader& loader() { return m_loader; }

private:
    LibraryStore m_library;
    QtClock m_clock;
    ReaderSession m_session;
    DocumentLoader m_loader;
    std::unique_ptr<ContentView> m_window;
    std::unique_ptr<FileOpener> m_fileOpener;
};

} // namespace tavrin

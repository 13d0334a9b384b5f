#include "app/TavrinApp.h"

#include "app/ContentView.h"
#include "app/FileOpener.h"
#include "app/KeyEventFilter.h"
#include "app/PanelHost.h"
#include "settings/SettingsFile.h"

#include <QApplication>

#include <optional>

namespace tavrin {

namespace {

constexpr QSize kMinimumSize{800, 600};
constexpr QSize kInitialSize{1024, 720};

std::optional<QString> settingsPath()
{
    const QString path = SettingsFile::defaultPath();
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

} // namespace

TavrinApp::TavrinApp()
    : m_session(m_library, m_clock, settingsPath()), m_loader(m_session),
      m_window(std::make_unique<ContentView>(m_session, m_clock, &m_loader)),
      m_fileOpener(std::make_unique<FileOpener>(m_session, m_loader))
{
    m_window->setWindowTitle(QStringLiteral("Tavrin"));
    m_window->setMinimumSize(kMinimumSize);
    m_window->resize(kInitialSize);
    QObject::connect(m_window.get(), &ContentView::quitRequested, m_window.get(),
                     [] { QCoreApplication::quit(); });
}

TavrinApp::~TavrinApp() = default;

void TavrinApp::show()
{
    m_window->show();
    start(*m_window);
}

void TavrinApp::start(ContentView& window)
{
    ReaderSession& session = window.session();
    session.loadSettings();
    window.enterFullScreen();
    LibraryStore& library = session.library();
    if (const auto id = library.lastOpenBookID()) {
        if (const Book* book = library.find(*id)) {
            // A copy: opening the book writes to the list the record lives in.
            window.panels().openBook(Book(*book));
        }
    }
    // With nothing to read, the way to a first book is in view from the start.
    if (library.books().empty()) {
        session.showControls();
    }
    // A child of the window, so it stops listening when the window goes.
    qApp->installEventFilter(new KeyEventFilter(session, &window, &window));
    window.takeKeyboardBack();
}

void TavrinApp::openFiles(const QStringList& paths)
{
    m_fileOpener->open(paths);
}

void TavrinApp::bringToFront()
{
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace tavrin

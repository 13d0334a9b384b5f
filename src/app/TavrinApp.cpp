#include "app/TavrinApp.h"

#include "app/ContentView.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>

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
      m_window(std::make_unique<ContentView>(m_session, m_clock, &m_loader))
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
}

} // namespace tavrin

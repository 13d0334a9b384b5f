#include "app/PanelHost.h"

#include "app/ContentsPanel.h"
#include "app/Fader.h"
#include "app/LayerGeometry.h"
#include "app/OpenDialog.h"
#include "app/PanelStrip.h"
#include "import/DocumentLoader.h"
#include "library/BooksPanel.h"
#include "settings/SettingsPanel.h"

#include <QWidget>

namespace tavrin {

namespace {

using Field = ReaderSession::Field;

/// A panel closed by its own close action, a click beside it, or choosing a book.
constexpr Animation kPanelClose = Animation::easeInOut(0.25);

Fader* slideFader(PanelStrip* strip, QObject* parent)
{
    return new Fader(
        strip, [strip](double shown) { strip->setSlide(shown); }, parent);
}

} // namespace

PanelHost::PanelHost(ReaderSession& session, DocumentLoader* loader, QWidget* window)
    : QObject(window), m_session(session), m_loader(loader), m_window(window),
      m_libraryStrip(new PanelStrip(window)), m_settingsStrip(new PanelStrip(window)),
      m_contentsStrip(new PanelStrip(window)), m_booksPanel(new BooksPanel(session.library())),
      m_contentsPanel(new ContentsPanel), m_libraryFader(slideFader(m_libraryStrip, this)),
      m_settingsFader(slideFader(m_settingsStrip, this)),
      m_contentsFader(slideFader(m_contentsStrip, this))
{
    m_libraryStrip->setObjectName(QStringLiteral("libraryStrip"));
    m_settingsStrip->setObjectName(QStringLiteral("settingsStrip"));
    m_contentsStrip->setObjectName(QStringLiteral("contentsStrip"));
    m_libraryStrip->setPanel(m_booksPanel);
    m_contentsStrip->setPanel(m_contentsPanel);

    connect(m_libraryStrip, &PanelStrip::closeRequested, this,
            [this] { m_session.setShowBooks(false, kPanelClose); });
    connect(m_settingsStrip, &PanelStrip::closeRequested, this,
            [this] { m_session.setShowSettings(false, kPanelClose); });
    connect(m_contentsStrip, &PanelStrip::closeRequested, this,
            [this] { m_session.setShowContents(false, kPanelClose); });
    connect(m_contentsPanel, &ContentsPanel::closeRequested, this,
            [this] { m_session.setShowContents(false, kPanelClose); });
    connect(m_contentsPanel, &ContentsPanel::entryChosen, this,
            [this](std::int64_t index) { m_session.goToContentsEntry(index); });
    connectBooksPanel();

    m_subscription = m_session.changed.subscribe(
        [this](Field field, Animation animation) { onChanged(field, animation); });

    m_booksPanel->setCurrentBookID(m_session.currentBookID());
    m_libraryFader->fadeTo(m_session.showBooks(), Animation::immediate());
    if (m_session.showSettings()) {
        showSettingsPanel(Animation::immediate());
    }
    updateContents();
    m_contentsFader->fadeTo(m_session.showContents(), Animation::immediate());
}

PanelHost::~PanelHost() = default;

void PanelHost::onChanged(Field field, Animation animation)
{
    switch (field) {
    case Field::showSettings:
        if (m_session.showSettings()) {
            showSettingsPanel(animation);
        } else {
            m_settingsFader->fadeTo(false, animation);
            Q_EMIT panelClosed();
        }
        break;
    case Field::showBooks:
        m_libraryFader->fadeTo(m_session.showBooks(), animation);
        if (!m_session.showBooks()) {
            Q_EMIT panelClosed();
        }
        break;
    case Field::showContents:
        if (m_session.showContents()) {
            m_contentsPanel->setPosition(m_session.currentIndex());
            m_contentsPanel->scrollToCurrent();
        } else {
            Q_EMIT panelClosed();
        }
        m_contentsFader->fadeTo(m_session.showContents(), animation);
        break;
    case Field::currentBookID:
        m_booksPanel->setCurrentBookID(m_session.currentBookID());
        break;
    case Field::tokens:
        updateContents();
        break;
    case Field::currentIndex:
        if (m_session.showContents()) {
            m_contentsPanel->setPosition(m_session.currentIndex());
        }
        break;
    default:
        break;
    }
}

void PanelHost::updateContents()
{
    m_contentsPanel->setContents(m_session.contents(),
                                 static_cast<std::int64_t>(m_session.tokens().size()));
    m_contentsPanel->setPosition(m_session.currentIndex());
}

void PanelHost::layOut()
{
    const QRect area = m_window->rect();
    if (m_settingsPanel) {
        m_settingsPanel->setWidthLimit(
            static_cast<int>(area.width() - LayerGeometry::kPanelRightColumn));
    }
    m_libraryStrip->setGeometry(area);
    m_settingsStrip->setGeometry(area);
    m_contentsStrip->setGeometry(area);
}

void PanelHost::connectBooksPanel()
{
    connect(m_booksPanel, &BooksPanel::selectRequested, this, [this](const Book& book) {
        openBook(book);
        m_session.setShowBooks(false, kPanelClose);
    });
    connect(m_booksPanel, &BooksPanel::addRequested, this, [this] {
        m_session.setShowBooks(false, Animation::immediate());
        // The dialog's own event loop runs after the button's click has been handled.
        QMetaObject::invokeMethod(
            this, [this] { loadFile(); }, Qt::QueuedConnection);
    });
    connect(m_booksPanel, &BooksPanel::removeRequested, this,
            [this](const Book& book) { m_session.removeBook(book); });
    connect(m_booksPanel, &BooksPanel::closeRequested, this,
            [this] { m_session.setShowBooks(false, kPanelClose); });
    connect(m_booksPanel, &BooksPanel::fileDropped, this, &PanelHost::importFile);
}

void PanelHost::showSettingsPanel(Animation animation)
{
    // Every opening starts from the current settings with no colour column open.
    auto* panel = new SettingsPanel(m_session);
    connect(panel, &SettingsPanel::closeRequested, this,
            [this] { m_session.setShowSettings(false, kPanelClose); });
    panel->setWidthLimit(static_cast<int>(m_window->width() - LayerGeometry::kPanelRightColumn));
    m_settingsPanel = panel;
    m_settingsStrip->setPanel(panel);
    m_settingsFader->fadeTo(true, animation);
}

void PanelHost::importFile(const QString& path)
{
    if (m_loader) {
        m_loader->loadByKind(path);
    }
}

void PanelHost::openBook(const Book& book)
{
    // A long book's cache takes a while to read: off the main thread, with "Loading…".
    if (m_loader) {
        m_loader->openBook(book);
    } else {
        m_session.openBook(book);
    }
}

void PanelHost::loadFile()
{
    if (!m_loader) {
        return;
    }
    const std::optional<QString> path =
        m_chooseFile ? m_chooseFile(m_window) : OpenDialog::chooseFile(m_window);
    if (path && !path->isEmpty()) {
        importFile(*path);
    }
}

} // namespace tavrin

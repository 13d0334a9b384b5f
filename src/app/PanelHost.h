#pragma once

#include "common/Observers.h"
#include "session/ReaderSession.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace tavrin {

class BooksPanel;
class ContentsPanel;
class DocumentLoader;
class Fader;
class PanelStrip;
class SettingsPanel;

/// The panels that slide in over the reading area (the library, the settings and the
/// contents), each in its strip with its slide, following the reader session and acting
/// through it, the document loader and the open dialog. The window gives them their layers
/// and their size and takes the keyboard back when one closes.
class PanelHost : public QObject
{
    Q_OBJECT

public:
    /// Runs the open dialog; returns the chosen file, or nothing when cancelled.
    using FileChooser = std::function<std::optional<QString>(QWidget* parent)>;

    /// loader imports the files chosen in the open dialog or dropped on the library panel;
    /// without one nothing is imported. The strips are made children of window.
    PanelHost(ReaderSession& session, DocumentLoader* loader, QWidget* window);
    ~PanelHost() override;

    PanelStrip* libraryStrip() const { return m_libraryStrip; }
    PanelStrip* settingsStrip() const { return m_settingsStrip; }
    PanelStrip* contentsStrip() const { return m_contentsStrip; }

    /// Gives every strip the whole window.
    void layOut();

    /// Runs the open dialog and imports the chosen file.
    void loadFile();
    /// Imports a file dropped on the library panel or the window.
    void importFile(const QString& path);
    /// Opens a library book: its cache is read off the main thread when there is a loader.
    void openBook(const Book& book);
    /// Replaces the open dialog (tests choose their file without one).
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

Q_SIGNALS:
    /// A panel closed; the window should have the keyboard again.
    void panelClosed();

private:
    void onChanged(ReaderSession::Field field, Animation animation);
    void connectBooksPanel();
    void showSettingsPanel(Animation animation);
    void updateContents();

    ReaderSession& m_session;
    DocumentLoader* m_loader;
    QWidget* m_window;
    PanelStrip* m_libraryStrip;
    PanelStrip* m_settingsStrip;
    PanelStrip* m_contentsStrip;
    BooksPanel* m_booksPanel;
    QPointer<SettingsPanel> m_settingsPanel;
    ContentsPanel* m_contentsPanel;
    Fader* m_libraryFader;
    Fader* m_settingsFader;
    Fader* m_contentsFader;
    FileChooser m_chooseFile;
    Subscription m_subscription;
};

} // namespace tavrin

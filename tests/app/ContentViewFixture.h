#pragma once

// Route QTest's mouse helpers through the platform window, as real pointer input arrives, so
// that the window-wide pointer handling sees them.
#define QTEST_QPA_MOUSE_HANDLING

#include "app/ButtonColumn.h"
#include "app/CentredText.h"
#include "app/ContentView.h"
#include "app/ControlButton.h"
#include "app/PanelHost.h"
#include "app/PauseSymbolView.h"
#include "app/ProgressBar.h"
#include "app/TavrinApp.h"
#include "display/ORPWordView.h"
#include "import/DocumentLoader.h"
#include "library/LibraryStore.h"
#include "session/ReaderSession.h"
#include "support/TestHome.h"
#include "support/TestTokens.h"
#include "support/VirtualClock.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>

#include <memory>
#include <optional>

namespace tavrin::test {

/// The reader window over a real library and settings file in a temporary home, with the
/// session on a virtual clock. show() makes the window, so a test can first put a library or
/// a settings file in place, as a previous run of the reader would have.
class ContentViewFixture : public ::testing::Test
{
protected:
    ~ContentViewFixture() override
    {
        m_view.reset();
        // A test may end with the pointer hidden; the next one starts with it shown.
        while (QGuiApplication::overrideCursor()) {
            QGuiApplication::restoreOverrideCursor();
        }
    }

    QString settingsPath() const { return home.dataDir() + QStringLiteral("/settings.json"); }

    /// Adds a book to the library and makes it the one to reopen at start.
    Book addLastBook(std::vector<WordToken> tokens, std::int64_t startIndex = 0)
    {
        Book book = *library.addBook("Book", "", "", tokens, startIndex, std::nullopt);
        library.setLastOpenBook(book.id);
        return book;
    }

    void show()
    {
        m_view = std::make_unique<ContentView>(session, clock, loader);
        m_view->resize(1000, 700);
        m_view->show();
        TavrinApp::start(*m_view);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    }

    ContentView& view() { return *m_view; }
    template<typename T> T* child(const char* name) const
    {
        return m_view->findChild<T*>(QString::fromLatin1(name));
    }
    ORPWordView* wordView() const { return child<ORPWordView>("orpWordView"); }
    CentredText* title() const { return child<CentredText>("titleText"); }
    CentredText* hud() const { return child<CentredText>("hudText"); }
    PauseSymbolView* pauseSymbol() const { return child<PauseSymbolView>("pauseSymbol"); }
    ButtonColumn* buttonColumn() const { return child<ButtonColumn>("buttonColumn"); }
    ControlButton* gearButton() const { return child<ControlButton>("gearButton"); }
    ControlButton* libraryButton() const { return child<ControlButton>("libraryButton"); }
    ProgressBar* progressBar() const { return child<ProgressBar>("progressBar"); }

    /// Moves the pointer to a new point over the window. The platform drops a report at the
    /// pointer's last position, which outlives each test's window, so the point changes with
    /// every call of the whole run.
    void movePointer()
    {
        static int moves = 0;
        m_pointer = QPoint(m_view->width() / 3 + ++moves % 97, m_view->height() / 3);
        QTest::mouseMove(m_view.get(), m_pointer);
    }

    /// Reports the pointer again where it rests, as the platform does when a window moves or
    /// appears under it.
    void reportPointerAgain(std::optional<QPoint> at = {})
    {
        const QPoint point = at.value_or(m_pointer);
        QMouseEvent event(QEvent::MouseMove, QPointF(point), QPointF(m_view->mapToGlobal(point)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_view->windowHandle(), &event);
    }

    /// Runs the event loop until the condition holds (fades take real time).
    static bool waitFor(const std::function<bool()>& condition)
    {
        return QTest::qWaitFor(condition, 3000);
    }

    static bool pointerHidden()
    {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        return cursor && cursor->shape() == Qt::BlankCursor;
    }

    bool isPlaying() const { return session.isPlaying() && !session.isPaused(); }

    TestHome home;
    LibraryStore library;
    VirtualClock clock;
    ReaderSession session{library, clock, settingsPath()};
    /// The importer of files chosen or dropped; set before show() to import.
    DocumentLoader* loader = nullptr;

private:
    std::unique_ptr<ContentView> m_view;
    QPoint m_pointer;
};

} // namespace tavrin::test

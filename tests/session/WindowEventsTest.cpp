#include "SessionFixture.h"

#include <QFile>

#include <tuple>

namespace tavrin::test {
namespace {

using namespace std::chrono_literals;
using Field = ReaderSession::Field;

using WindowEventsTest = SessionFixture;

TEST_F(WindowEventsTest, PointerMovementPausesAndControlsFadeAfterThreeSeconds)
{
    open(makeTokens(50));
    session.handleSpacebar();
    clock.advance(450ms);
    ASSERT_EQ(session.currentIndex(), 2);
    clearRecords();

    session.pointerMoved();
    EXPECT_TRUE(session.isPaused());
    EXPECT_EQ(saved, std::vector<std::int64_t>{2});
    EXPECT_TRUE(session.showGear());
    EXPECT_EQ(animationsOf(Field::showGear), std::vector<Animation>{Animation::easeInOut(0.3)});

    clock.advance(2s);
    session.pointerMoved(); // restarts the idle period; no second pause or save
    EXPECT_EQ(saved.size(), 1u);
    clock.advance(2999ms);
    EXPECT_TRUE(session.showGear());
    EXPECT_EQ(pointerHides, 0);
    clock.advance(1ms);
    EXPECT_FALSE(session.showGear());
    EXPECT_EQ(animationsOf(Field::showGear).back(), Animation::easeInOut(0.5));
    EXPECT_EQ(pointerHides, 1);
    EXPECT_TRUE(session.isPaused()) << "the pause symbol stays";

    // Playing hides the controls at once and the pointer with them; pausing does neither.
    session.pointerMoved();
    clearRecords();
    session.handleSpacebar();
    EXPECT_FALSE(session.showGear());
    EXPECT_EQ(animationsOf(Field::showGear), std::vector<Animation>{Animation::immediate()});
    EXPECT_EQ(pointerHides, 1);
    session.handleSpacebar();
    EXPECT_EQ(pointerHides, 1);
    EXPECT_FALSE(session.showFeedback());
}

TEST_F(WindowEventsTest, AnOpenPanelOrAnEmptyLibraryKeepsTheControlsUp)
{
    session.pointerMoved();
    clock.advance(10s);
    EXPECT_TRUE(session.showGear()) << "nothing to read yet: the way to a first book stays";
    open(makeTokens(3));
    clock.advance(3s);
    EXPECT_FALSE(session.showGear()) << "the first book starts an idle period";
    session.toggleBooksPanel();
    session.pointerMoved();
    clock.advance(10s);
    EXPECT_TRUE(session.showGear());
    EXPECT_EQ(pointerHides, 1);

    // Closing the panel does not start an idle period; the next movement does.
    session.toggleBooksPanel();
    clock.advance(10s);
    EXPECT_TRUE(session.showGear());
    session.pointerMoved();
    clock.advance(3s);
    EXPECT_FALSE(session.showGear());
    EXPECT_EQ(pointerHides, 2);
}

TEST_F(WindowEventsTest, AtMostOnePanelIsOpen)
{
    // Each step toggles the books ('b') or settings ('s') panel, then expects which is open.
    for (const auto& [toggle, books, settings] :
         {std::tuple{'b', true, false}, std::tuple{'s', false, true}, std::tuple{'s', false, false},
          std::tuple{'s', false, true}, std::tuple{'b', true, false},
          std::tuple{'b', false, false}}) {
        clearRecords();
        toggle == 'b' ? session.toggleBooksPanel() : session.toggleSettingsPanel();
        EXPECT_EQ(session.showBooks(), books);
        EXPECT_EQ(session.showSettings(), settings);
    }
    // The switch from one panel to the other animates both.
    EXPECT_EQ(animationsOf(Field::showBooks), std::vector<Animation>{Animation::easeInOut(0.2)});
}

using DocumentsTest = SessionFixture;

TEST_F(DocumentsTest, OpeningStopsAtTheStoredWordAndRemovingTheOpenBookEmptiesTheReader)
{
    const Book first = open(makeTokens(20), 3);
    const Book second = *library.addBook("Second", "", "", makeTokens(30), 17, std::nullopt);
    session.handleSpacebar();
    clock.advance(250ms);
    clearRecords();
    session.openBook(second);
    EXPECT_EQ(animationsOf(Field::isPlaying).size(), 1u) << "the stop is reported";
    EXPECT_EQ(library.find(first.id)->currentWordIndex, 4);
    EXPECT_EQ(library.lastOpenBookID(), second.id);
    clock.advance(1s);
    EXPECT_TRUE(isStopped());
    EXPECT_EQ(session.currentIndex(), 17);

    session.handleSpacebar();
    session.removeBook(second);
    EXPECT_TRUE(session.tokens().empty());
    EXPECT_FALSE(session.currentBookID());
    EXPECT_FALSE(library.lastOpenBookID());
    EXPECT_EQ(clock.pendingTimers(), 0);

    // A book whose words are gone opens empty and keeps its position for the next save.
    Book gone = *library.addBook("Gone", "", "", makeTokens(10), 7, std::nullopt);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(gone.cachedTokenPath)));
    session.openBook(gone);
    EXPECT_TRUE(session.tokens().empty());
    EXPECT_EQ(session.currentBookID(), gone.id);
    EXPECT_EQ(session.currentIndex(), 7);
    session.openBook(first);
    EXPECT_EQ(library.find(gone.id)->currentWordIndex, 7);
}

TEST_F(DocumentsTest, OpenedPositionsStayInsideTheWords)
{
    const auto subscription = session.changed.subscribe([this](Field, Animation) {
        if (!session.tokens().empty()) {
            EXPECT_LT(session.currentIndex(), static_cast<std::int64_t>(session.tokens().size()));
        }
    });
    using Case = std::tuple<std::size_t, std::int64_t, std::int64_t>; // words, stored, opened at
    for (const auto& [words, stored, index] :
         {Case{100, 90, 90}, Case{5, 2, 2}, Case{10, 57, 9}, Case{10, -4, 0}}) {
        open(makeTokens(words), stored);
        EXPECT_EQ(session.currentIndex(), index) << stored;
    }

    // A drag on the progress bar saves its word; reopening the open book from a stale copy
    // keeps that word on screen.
    const Book book = open(makeTokens(20));
    session.seekToFraction(0.5);
    EXPECT_EQ(saved, std::vector<std::int64_t>{9});
    EXPECT_FALSE(session.showFeedback());
    session.openBook(book);
    EXPECT_EQ(session.currentIndex(), 9);
}

} // namespace
} // namespace tavrin::test

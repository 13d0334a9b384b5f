#pragma once

#include "library/LibraryStore.h"
#include "session/ReaderSession.h"
#include "support/TestHome.h"
#include "support/TestTokens.h"
#include "support/VirtualClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <ranges>
#include <utility>
#include <vector>

namespace tavrin::test {

/// A session over a real library in a temporary home, on a virtual clock, recording every
/// position the library is asked to store and every change the session reports.
class SessionFixture : public ::testing::Test
{
protected:
    QString settingsPath() const { return home.dataDir() + QStringLiteral("/settings.json"); }

    /// Adds a book and opens it at startIndex; clears the records of what that did.
    Book open(std::vector<WordToken> tokens, std::int64_t startIndex = 0)
    {
        Book book = *library.addBook("Book", "", "", tokens, startIndex, std::nullopt);
        session.openBook(book);
        m_watched = book.id;
        clearRecords();
        return book;
    }

    void clearRecords()
    {
        saved.clear();
        changes.clear();
        pointerHides = 0;
    }

    bool isStopped() const { return !session.isPlaying() && !session.isPaused(); }

    std::vector<Animation> animationsOf(ReaderSession::Field field) const
    {
        auto matching = changes |
                        std::views::filter([field](const auto& c) { return c.first == field; }) |
                        std::views::values;
        return {matching.begin(), matching.end()};
    }

    TestHome home;
    LibraryStore library;
    VirtualClock clock;
    ReaderSession session{library, clock, settingsPath()};
    std::vector<std::int64_t> saved;
    std::vector<std::pair<ReaderSession::Field, Animation>> changes;
    int pointerHides = 0;

private:
    QUuid m_watched;
    Subscription m_saves = library.booksChanged.subscribe([this] {
        if (const Book* book = library.find(m_watched)) {
            saved.push_back(book->currentWordIndex);
        }
    });
    Subscription m_changes =
        session.changed.subscribe([this](ReaderSession::Field field, Animation animation) {
            changes.push_back({field, animation});
        });
    Subscription m_pointerHides =
        session.pointerHideRequested.subscribe([this] { ++pointerHides; });
};

} // namespace tavrin::test

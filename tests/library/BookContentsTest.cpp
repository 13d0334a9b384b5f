#include "library/BookContents.h"

#include "library/LibraryStore.h"
#include "support/TestHome.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tavrin {
namespace {

/// A paragraph of words; a heading's last word carries the heading end pause.
void paragraph(std::vector<WordToken>& tokens, const std::string& text, bool heading,
               std::int64_t chapter = 0)
{
    const QStringList words = QString::fromStdString(text).split(u' ');
    for (qsizetype i = 0; i < words.size(); ++i) {
        const double pause = i + 1 < words.size() ? 1.0 : (heading ? 5.0 : 3.5);
        tokens.push_back({words[i].toStdString(), pause, heading, chapter});
    }
}

TEST(BookContentsTest, FoundInTheWords)
{
    std::vector<WordToken> text;
    paragraph(text, "Chapter One", true);
    paragraph(text, "It was a dark night.", false);
    paragraph(text, "Yes!", true);
    paragraph(text, "Part Two", true);
    EXPECT_EQ(
        BookContents::fromHeadings(text),
        (std::vector<ContentsEntry>{{"Chapter One", 0, 0}, {"Yes!", 7, 0}, {"Part Two", 8, 0}}));

    std::vector<WordToken> book;
    paragraph(book, "Preface", true, 0);
    paragraph(book, "Some words here.", false, 0);
    paragraph(book, "No heading in this one.", false, 2);
    paragraph(book, "A line first.", false, 3);
    paragraph(book, "The Storm", true, 3);
    paragraph(book, "Section", true, 3);
    EXPECT_EQ(
        BookContents::fromHeadings(book),
        (std::vector<ContentsEntry>{{"Preface", 0, 0}, {"Chapter 3", 4, 0}, {"The Storm", 9, 0}}));
}

TEST(BookContentsTest, StoredBesideTheCacheAndReadBackStrictly)
{
    const std::vector<ContentsEntry> entries{{"Ein \u00DCberblick \"1\"", 0, 0}, {"Zwei", 5, 1}};
    EXPECT_EQ(BookContents::decode(BookContents::encode(entries), 6), entries);
    EXPECT_EQ(BookContents::decode(BookContents::encode(entries), 5),
              (std::vector<ContentsEntry>{entries[0]}))
        << "an entry past the book's end is dropped";
    for (const char* bad : {"", "[]", R"({"version":2,"entries":[]})",
                            R"({"version":1,"entries":[{"title":"x","index":"0","depth":0}]})"}) {
        EXPECT_EQ(BookContents::decode(bad, 10), std::nullopt) << bad;
    }
    EXPECT_EQ(BookContents::pathFor("/d/AB.json"), "/d/AB.contents.json");

    // A book without its file gets contents from its words, kept for the next open, and
    // loses the file with the book.
    test::TestHome home;
    LibraryStore library;
    std::vector<WordToken> tokens;
    paragraph(tokens, "Only Heading", true);
    paragraph(tokens, "Body text.", false);
    const Book book = *library.addBook("B", "", "", tokens, 0, std::nullopt);
    const QString path = QString::fromStdString(BookContents::pathFor(book.cachedTokenPath));
    ASSERT_FALSE(QFile::exists(path));
    EXPECT_EQ(library.loadContents(book, tokens),
              (std::vector<ContentsEntry>{{"Only Heading", 0, 0}}));
    ASSERT_TRUE(QFile::exists(path));
    ASSERT_TRUE(library.saveContents(book, {{"Stored", 1, 0}}));
    EXPECT_EQ(library.loadContents(book, tokens), (std::vector<ContentsEntry>{{"Stored", 1, 0}}));
    library.removeBook(book);
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
} // namespace tavrin

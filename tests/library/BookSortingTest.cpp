#include "library/BookSorting.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace tavrin {
namespace {

Book book(const std::string& title, const std::string& author = {}, const std::string& year = {})
{
    return {{}, title, author, year, {}, {}, 0, 0, {}, {}};
}

std::vector<std::string> titles(const std::vector<Book>& books)
{
    std::vector<std::string> result;
    for (const Book& b : books) {
        result.push_back(b.title);
    }
    return result;
}

// The comparison follows the user's locale; the C locale takes a path of its own.
class BookSortingLocaleTest : public ::testing::TestWithParam<QLocale::Language>
{
protected:
    void SetUp() override
    {
        previous = QLocale();
        QLocale::setDefault(QLocale(GetParam()));
    }
    void TearDown() override { QLocale::setDefault(previous); }

    QLocale previous;
};

INSTANTIATE_TEST_SUITE_P(Locales, BookSortingLocaleTest,
                         ::testing::Values(QLocale::C, QLocale::English, QLocale::German),
                         [](const auto& c) {
                             return QLocale::languageToString(c.param).toStdString();
                         });

TEST_P(BookSortingLocaleTest, TitlesIgnoreCaseAuthorsGoByLastNameThenYearAsTextEqualsKeepTheirOrder)
{
    const auto byTitle = BookSorting::sorted(
        {book("Banana"), book("apple", "first"), book("cherry"), book("Apple", "second")},
        SortOrder::title);
    EXPECT_EQ(titles(byTitle), (std::vector<std::string>{"apple", "Apple", "Banana", "cherry"}));
    EXPECT_EQ(byTitle[0].author, "first");
    const std::vector<Book> books{
        book("Hard Times", "charles DICKENS", "1854"),
        book("Bleak House", "Charles Dickens", "1853"),
        book("Emma", "Jane Austen", "1815"),
        book("Sense", "Jane Austen", "1811"),
        book("Republic", "Plato", "-375"),
        book("Iliad", "Homer"),
        book("Earthsea", "Ursula K. Le Guin", "1968"), // the last space-separated piece
        book("Untitled", ""),
        book("Anonymous", "Jane "),     // an empty last piece
        book("Tabbed", "Jane\tAusten"), // only the plain space splits
        book("Persuasion", "Jane Austen", "1817"),
        book("Pride", "Jane Austen", "1813"),
        book("Pride (copy)", "Jane Austen", "1813"),
        book("Late", "A Writer", "999"), // not numerically: "999" comes after "1813" as text
        book("Early", "A Writer", "1813"),
    };
    const auto sorted = BookSorting::sorted(books, SortOrder::author);
    EXPECT_EQ(titles(sorted), (std::vector<std::string>{
                                  "Untitled", "Anonymous", "Sense", "Pride", "Pride (copy)", "Emma",
                                  "Persuasion", "Bleak House", "Hard Times", "Earthsea", "Iliad",
                                  "Tabbed", "Republic", "Early", "Late"}));
}

} // namespace
} // namespace tavrin

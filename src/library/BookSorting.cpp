#include "library/BookSorting.h"

#include <QCollator>
#include <QString>

#include <algorithm>
#include <optional>

namespace tavrin::BookSorting {

namespace {

QString toQString(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

/// Sort keys are computed once per book, not once per comparison. The collator's keys
/// ignore the case setting in the C locale, where case-folded text stands in for them.
struct Keyed
{
    std::optional<QCollatorSortKey> collated;
    QString folded;
    const Book* book;

    int compare(const Keyed& other) const
    {
        return collated ? collated->compare(*other.collated)
                        : QString::compare(folded, other.folded, Qt::CaseSensitive);
    }
};

} // namespace

std::string authorKey(const std::string& author)
{
    const auto lastSpace = author.rfind(' ');
    return lastSpace == std::string::npos ? author : author.substr(lastSpace + 1);
}

std::vector<Book> sorted(const std::vector<Book>& books, SortOrder order)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const bool cLocale = collator.locale().language() == QLocale::C;

    std::vector<Keyed> keyed;
    keyed.reserve(books.size());
    for (const Book& book : books) {
        const QString text =
            toQString(order == SortOrder::title ? book.title : authorKey(book.author));
        if (cLocale) {
            keyed.push_back({std::nullopt, text.toCaseFolded(), &book});
        } else {
            keyed.push_back({collator.sortKey(text), QString(), &book});
        }
    }

    std::stable_sort(keyed.begin(), keyed.end(), [order](const Keyed& a, const Keyed& b) {
        const int byKey = a.compare(b);
        if (byKey != 0 || order == SortOrder::title) {
            return byKey < 0;
        }
        return a.book->year < b.book->year;
    });

    std::vector<Book> result;
    result.reserve(books.size());
    for (const Keyed& k : keyed) {
        result.push_back(*k.book);
    }
    return result;
}

} // namespace tavrin::BookSorting

// Marks a library book as the one open last, as reading it in the reader would, so that the
// end-to-end test can start the reader on a book added with `tavrin-tool add`.

#include "common/UuidText.h"
#include "library/LibraryStore.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto id = args.size() == 2 ? tavrin::UuidText::parse(args[1]) : std::nullopt;
    if (!id) {
        std::fputs("usage: tavrin_e2e_set_last_open BOOK-ID\n", stderr);
        return 2;
    }
    tavrin::LibraryStore library;
    const auto& books = library.books();
    if (std::none_of(books.begin(), books.end(),
                     [&id](const tavrin::Book& book) { return book.id == *id; })) {
        std::fputs("no such book in the library\n", stderr);
        return 1;
    }
    library.setLastOpenBook(*id);
    return 0;
}

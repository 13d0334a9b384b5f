#pragma once

#include "library/Book.h"
#include "library/SortOrder.h"

#include <string>
#include <vector>

namespace tavrin::BookSorting {

/// The author's sort key: the last piece of the author split at every single space, so
/// "Jane Austen" gives "Austen", "Plato" itself and "Jane " the empty key.
std::string authorKey(const std::string& author);

/// books in the panel's order. Titles and author keys compare as the user's locale does,
/// ignoring case; equal author keys fall back to the year as a plain string. The sort is
/// stable, so equal books keep the order in which they were added.
std::vector<Book> sorted(const std::vector<Book>& books, SortOrder order);

} // namespace tavrin::BookSorting

#pragma once

namespace tavrin {

/// How the library panel orders its tiles; menu labels "Title" and "Author".
enum class SortOrder
{
    title,
    author
};

} // namespace tavrin

#include "library/DropFilter.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(DropFilterTest, AcceptsTheThreeImportableExtensionsInAnyCase)
{
    for (const char* name : {"a.epub", "B.TXT", "c.Pdf", "/dir.d/book.EPUB", "x.tar.txt"}) {
        EXPECT_TRUE(DropFilter::hasImportableExtension(QString::fromLatin1(name))) << name;
    }
    for (const char* name : {"cover.png", "notes", "archive.txt.gz", "book.epub.bak", "pdf"}) {
        EXPECT_FALSE(DropFilter::hasImportableExtension(QString::fromLatin1(name))) << name;
    }
}

} // namespace
} // namespace tavrin

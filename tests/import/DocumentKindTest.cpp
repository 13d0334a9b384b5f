#include "import/DocumentKind.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

TEST(DocumentKindTest, ChosenByLowerCasedExtension)
{
    const struct
    {
        const char* path;
        DocumentKind kind;
    } cases[] = {{"/home/u/notes.TXT", DocumentKind::plainText},
                 {"/home/u/Book.EPUB", DocumentKind::epub},
                 {"/home/u/Paper.Pdf", DocumentKind::pdf},
                 {"/home/u/LICENSE", DocumentKind::plainText},
                 {"/home/u/archive.pdf.txt", DocumentKind::plainText},
                 {"/home/u/book.txt.epub", DocumentKind::epub},
                 // A leading dot hides a file; it does not start an extension.
                 {"/home/u/.pdf", DocumentKind::plainText},
                 {"/home/u/epub", DocumentKind::plainText},
                 {"/home/u/dir.pdf/notes", DocumentKind::plainText}};
    for (const auto& c : cases) {
        EXPECT_EQ(documentKindOf(QString::fromUtf8(c.path)), c.kind) << c.path;
    }
}

TEST(DocumentKindTest, FileTitleDerivedFromFileName)
{
    const struct
    {
        const char* path;
        const char* title;
    } cases[] = {{"/b/Title: Subtitle.txt", "Title"},
                 {"/b/A_B_C.pdf", "A B C"},
                 {"/b/Author - Title - Part 2.txt", "Author"},
                 {"/b/Moby_Dick - Herman Melville.txt", "Moby Dick"},
                 // " - " is cut first, then ": " in what is left.
                 {"/b/Part: One - Two: Three.txt", "Part"},
                 // Only the exact separators count: no space around the hyphen, no space after
                 // the colon, or an en dash, leave the name whole.
                 {"/b/Well-Known-Name.txt", "Well-Known-Name"},
                 {"/b/Time 10:30.txt", "Time 10:30"},
                 {"/b/Left \xe2\x80\x93 Right.txt", "Left \xe2\x80\x93 Right"},
                 // An underscore next to a hyphen becomes the separator's space.
                 {"/b/War_-_Peace.txt", "War"},
                 {"/b/__Padded\t_.txt", "Padded"},
                 {"/b/archive.tar.gz", "archive.tar"},
                 {"/b/Mr. Smith", "Mr. Smith"},
                 {"/b/.hidden", ".hidden"},
                 {"/b/caf\xc3\xa9_cr\xc3\xa8me.txt", "caf\xc3\xa9 cr\xc3\xa8me"},
                 {"/b/_.txt", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(fileTitle(QString::fromUtf8(c.path)), c.title) << c.path;
    }
}

} // namespace
} // namespace tavrin

#include "import/DocumentKind.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

struct KindCase
{
    const char* path;
    DocumentKind kind;
};

class DocumentKindTest : public ::testing::TestWithParam<KindCase>
{};

TEST_P(DocumentKindTest, ChosenByLowerCasedExtension)
{
    EXPECT_EQ(documentKindOf(QString::fromUtf8(GetParam().path)), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, DocumentKindTest,
    ::testing::Values(KindCase{"/home/u/notes.TXT", DocumentKind::plainText},
                      KindCase{"/home/u/Book.EPUB", DocumentKind::epub},
                      KindCase{"/home/u/Paper.Pdf", DocumentKind::pdf},
                      KindCase{"/home/u/LICENSE", DocumentKind::plainText},
                      KindCase{"/home/u/archive.pdf.txt", DocumentKind::plainText},
                      KindCase{"/home/u/book.txt.epub", DocumentKind::epub},
                      // A leading dot hides a file; it does not start an extension.
                      KindCase{"/home/u/.pdf", DocumentKind::plainText},
                      KindCase{"/home/u/epub", DocumentKind::plainText},
                      KindCase{"/home/u/dir.pdf/notes", DocumentKind::plainText}));

struct TitleCase
{
    const char* path;
    const char* title;
};

class FileTitleTest : public ::testing::TestWithParam<TitleCase>
{};

TEST_P(FileTitleTest, DerivedFromFileName)
{
    EXPECT_EQ(fileTitle(QString::fromUtf8(GetParam().path)), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileTitleTest,
    ::testing::Values(TitleCase{"/b/Title: Subtitle.txt", "Title"},
                      TitleCase{"/b/A_B_C.pdf", "A B C"},
                      TitleCase{"/b/Author - Title - Part 2.txt", "Author"},
                      TitleCase{"/b/Moby_Dick - Herman Melville.txt", "Moby Dick"},
                      // " - " is cut first, then ": " in what is left.
                      TitleCase{"/b/Part: One - Two: Three.txt", "Part"},
                      // Only the exact separators count: no space around the hyphen, no space after
                      // the colon, or an en dash, leave the name whole.
                      TitleCase{"/b/Well-Known-Name.txt", "Well-Known-Name"},
                      TitleCase{"/b/Time 10:30.txt", "Time 10:30"},
                      TitleCase{"/b/Left \xe2\x80\x93 Right.txt", "Left \xe2\x80\x93 Right"},
                      // An underscore next to a hyphen becomes the separator's space.
                      TitleCase{"/b/War_-_Peace.txt", "War"},
                      TitleCase{"/b/__Padded\t_.txt", "Padded"},
                      TitleCase{"/b/archive.tar.gz", "archive.tar"},
                      TitleCase{"/b/Mr. Smith", "Mr. Smith"}, TitleCase{"/b/.hidden", ".hidden"},
                      TitleCase{"/b/caf\xc3\xa9_cr\xc3\xa8me.txt", "caf\xc3\xa9 cr\xc3\xa8me"},
                      TitleCase{"/b/_.txt", ""}));

} // namespace
} // namespace tavrin

#include "import/DocumentKind.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

constexpr DocumentKind text = DocumentKind::plainText;

// The kind follows the lower-cased extension; the title is the name without it.
TEST(DocumentKindTest, KindAndTitleComeFromTheFileName)
{
    const struct
    {
        const char* path;
        DocumentKind kind;
        const char* title;
    } cases[] = {{"/home/u/notes.TXT", text, "notes"},
                 {"/home/u/Book.EPUB", DocumentKind::epub, "Book"},
                 {"/home/u/Paper.Pdf", DocumentKind::pdf, "Paper"},
                 {"/home/u/LICENSE", text, "LICENSE"},
                 {"/home/u/archive.pdf.txt", text, "archive.pdf"},
                 {"/home/u/book.txt.epub", DocumentKind::epub, "book.txt"},
                 // A leading dot hides a file; it does not start an extension.
                 {"/home/u/.pdf", text, ".pdf"},
                 {"/home/u/epub", text, "epub"},
                 {"/home/u/dir.pdf/notes", text, "notes"},
                 {"/b/Title: Subtitle.txt", text, "Title"},
                 {"/b/A_B_C.pdf", DocumentKind::pdf, "A B C"},
                 {"/b/Author - Title - Part 2.txt", text, "Author"},
                 {"/b/Moby_Dick - Herman Melville.txt", text, "Moby Dick"},
                 // " - " is cut first, then ": " in what is left.
                 {"/b/Part: One - Two: Three.txt", text, "Part"},
                 // Only the exact separators count: no space around the hyphen, no space after
                 // the colon, or an en dash, leave the name whole.
                 {"/b/Well-Known-Name.txt", text, "Well-Known-Name"},
                 {"/b/Time 10:30.txt", text, "Time 10:30"},
                 {"/b/Left \xe2\x80\x93 Right.txt", text, "Left \xe2\x80\x93 Right"},
                 // An underscore next to a hyphen becomes the separator's space.
                 {"/b/War_-_Peace.txt", text, "War"},
                 {"/b/__Padded\t_.txt", text, "Padded"},
                 {"/b/archive.tar.gz", text, "archive.tar"},
                 {"/b/Mr. Smith", text, "Mr. Smith"},
                 {"/b/caf\xc3\xa9_cr\xc3\xa8me.txt", text, "caf\xc3\xa9 cr\xc3\xa8me"},
                 {"/b/_.txt", text, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(documentKindOf(QString::fromUtf8(c.path)), c.kind) << c.path;
        EXPECT_EQ(fileTitle(QString::fromUtf8(c.path)), c.title) << c.path;
    }
}

} // namespace
} // namespace tavrin

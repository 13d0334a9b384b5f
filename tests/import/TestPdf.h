#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace tavrin::test {

/// Small PDFs written byte by byte, so tests need no PDF tool. Text is set in Helvetica
/// with the WinAnsi encoding (so "caf\xe9" is "café").
namespace TestPdf {

/// One page: its paragraphs, each a list of lines. A page without paragraphs carries a
/// filled rectangle and no text, like a scanned image.
struct Page
{
    std::vector<std::vector<std::string>> paragraphs;
};

/// A complete document of these pages.
QByteArray document(const std::vector<Page>& pages);

/// A document whose page tree holds the given objects as written (object 1 must be the
/// catalog); the cross-reference table and trailer are generated.
QByteArray fromObjects(const std::vector<QByteArray>& objects, const QByteArray& trailerExtra = {});

} // namespace TestPdf

} // namespace tavrin::test

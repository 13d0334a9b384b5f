#include "import/TestPdf.h"

namespace tavrin::test::TestPdf {

namespace {

constexpr int kLineStep = 14;
// Far more than a line step, so the text extractor sees a new block.
constexpr int kParagraphGap = 60;

QByteArray contentOf(const Page& page)
{
    if (page.paragraphs.empty()) {
        return "0 0 1 rg 72 72 300 300 re f";
    }
    QByteArray content;
    int y = 720;
    for (const auto& paragraph : page.paragraphs) {
        for (const auto& line : paragraph) {
            content += "BT /F1 12 Tf 72 " + QByteArray::number(y) + " Td (" +
                       QByteArray::fromStdString(line) + ") Tj ET\n";
            y -= kLineStep;
        }
        y -= kParagraphGap;
    }
    return content;
}

} // namespace

QByteArray fromObjects(const std::vector<QByteArray>& objects, const QByteArray& trailerExtra)
{
    QByteArray out = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
    std::vector<qsizetype> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(out.size());
        out += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = out.size();
    const QByteArray size = QByteArray::number(objects.size() + 1);
    out += "xref\n0 " + size + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets) {
        out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    }
    out += "trailer\n<< /Size " + size + " /Root 1 0 R " + trailerExtra + ">>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

// Catalog, page tree, font, then a page and its content stream per page.
QByteArray document(const std::vector<Page>& pages)
{
    QByteArray kids;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        kids += QByteArray::number(4 + 2 * i) + " 0 R ";
    }
    std::vector<QByteArray> objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages.size()) + " >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const QByteArray content = contentOf(pages[i]);
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents " +
                          QByteArray::number(5 + 2 * i) +
                          " 0 R /Resources << /Font << /F1 3 0 R >> >> >>");
        objects.push_back("<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" +
                          content + "\nendstream");
    }
    return fromObjects(objects);
}

} // namespace tavrin::test::TestPdf

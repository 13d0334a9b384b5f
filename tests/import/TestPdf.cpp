#include "import/TestPdf.h"

#include <QCryptographicHash>

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

namespace tavrin::test::TestPdf {

namespace {

constexpr int kFontSize = 12;
constexpr int kLineStep = 14;
// Far more than a line step, so the text extractor sees a new block.
constexpr int kParagraphGap = 60;

QByteArray escaped(const std::string& text)
{
    QByteArray out;
    for (const char c : text) {
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

QByteArray contentOf(const Page& page)
{
    if (page.paragraphs.empty()) {
        return "0 0 1 rg 72 72 300 300 re f";
    }
    QByteArray content;
    int y = 720;
    for (const auto& paragraph : page.paragraphs) {
        for (const auto& line : paragraph) {
            content += "BT /F1 " + QByteArray::number(kFontSize) + " Tf 72 " +
                       QByteArray::number(y) + " Td (" + escaped(line) + ") Tj ET\n";
            y -= kLineStep;
        }
        y -= kParagraphGap;
    }
    return content;
}

QByteArray stream(const QByteArray& data)
{
    return "<< /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

// Catalog, page tree, font, then a page and its content stream per page. encrypt turns a
// content stream into its stored form, given its object number.
std::vector<QByteArray>
pageObjects(const std::vector<Page>& pages,
            const std::function<QByteArray(int, const QByteArray&)>& encrypt)
{
    std::vector<QByteArray> objects;
    QByteArray kids;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        kids += QByteArray::number(4 + 2 * static_cast<int>(i)) + " 0 R ";
    }
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " +
                      QByteArray::number(pages.size()) + " >>");
    objects.push_back(
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const int contentNumber = 5 + 2 * static_cast<int>(i);
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents " +
                          QByteArray::number(contentNumber) +
                          " 0 R /Resources << /Font << /F1 3 0 R >> >> >>");
        objects.push_back(stream(encrypt(contentNumber, contentOf(pages[i]))));
    }
    return objects;
}

QByteArray rc4(const QByteArray& key, const QByteArray& data)
{
    std::array<std::uint8_t, 256> s{};
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i] = static_cast<std::uint8_t>(i);
    }
    std::size_t j = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto k = static_cast<std::uint8_t>(
            key[static_cast<qsizetype>(i % static_cast<std::size_t>(key.size()))]);
        j = (j + s[i] + k) % 256;
        std::swap(s[i], s[j]);
    }
    QByteArray out(data.size(), '\0');
    std::size_t a = 0;
    std::size_t b = 0;
    for (qsizetype n = 0; n < data.size(); ++n) {
        a = (a + 1) % 256;
        b = (b + s[a]) % 256;
        std::swap(s[a], s[b]);
        const auto keyByte = s[(s[a] + s[b]) % 256];
        out[n] = static_cast<char>(static_cast<std::uint8_t>(data[n]) ^ keyByte);
    }
    return out;
}

QByteArray md5(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Md5);
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

QByteArray document(const std::vector<Page>& pages)
{
    return fromObjects(pageObjects(pages, [](int, const QByteArray& data) { return data; }));
}

QByteArray ownerEncryptedDocument(const std::vector<Page>& pages)
{
    // The standard security handler, revision 2, with an empty user password.
    const QByteArray padding =
        QByteArray::fromHex("28BF4E5E4E758A4164004E56FFFA01082E2E00B6D0683E802F0CA9FE6453697A");
    const QByteArray owner = QByteArray(32, '\x5a');
    const qint32 permissions = -4;
    const QByteArray id = QByteArray::fromHex("00112233445566778899AABBCCDDEEFF");
    QByteArray permissionBytes;
    for (int shift = 0; shift < 32; shift += 8) {
        permissionBytes += static_cast<char>((static_cast<quint32>(permissions) >> shift) & 0xFF);
    }
    const QByteArray fileKey = md5(padding + owner + permissionBytes + id).left(5);
    const QByteArray user = rc4(fileKey, padding);

    auto encrypt = [&](int number, const QByteArray& data) {
        QByteArray salt = fileKey;
        salt += static_cast<char>(number & 0xFF);
        salt += static_cast<char>((number >> 8) & 0xFF);
        salt += static_cast<char>((number >> 16) & 0xFF);
        salt += '\0';
        salt += '\0';
        return rc4(md5(salt).left(10), data);
    };
    std::vector<QByteArray> objects = pageObjects(pages, encrypt);
    objects.push_back("<< /Filter /Standard /V 1 /R 2 /O <" + owner.toHex() + "> /U <" +
                      user.toHex() + "> /P " + QByteArray::number(permissions) + " >>");
    const QByteArray trailer = "/Encrypt " + QByteArray::number(objects.size()) + " 0 R /ID [<" +
                               id.toHex() + "> <" + id.toHex() + ">] ";
    return fromObjects(objects, trailer);
}

} // namespace tavrin::test::TestPdf

#include "common/UuidText.h"

#include <QLatin1StringView>

namespace tavrin::UuidText {

namespace {

constexpr std::size_t kLength = 36;

bool isHyphenPosition(std::size_t i)
{
    return i == 8 || i == 13 || i == 18 || i == 23;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace

std::optional<QUuid> parse(std::string_view text)
{
    if (text.size() != kLength) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kLength; ++i) {
        const bool ok = isHyphenPosition(i) ? text[i] == '-' : isHexDigit(text[i]);
        if (!ok) {
            return std::nullopt;
        }
    }
    return QUuid::fromString(QLatin1StringView(text.data(), static_cast<qsizetype>(text.size())));
}

std::optional<QUuid> parse(const QString& text)
{
    if (text.size() != static_cast<qsizetype>(kLength)) {
        return std::nullopt;
    }
    for (const QChar c : text) {
        if (c.unicode() > 0x7f) {
            return std::nullopt;
        }
    }
    const QByteArray latin1 = text.toLatin1();
    return parse(std::string_view(latin1.constData(), static_cast<std::size_t>(latin1.size())));
}

std::string toText(const QUuid& id)
{
    return toQString(id).toStdString();
}

QString toQString(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

} // namespace tavrin::UuidText

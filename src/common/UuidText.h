#pragma once

#include <QString>
#include <QUuid>

#include <optional>
#include <string>
#include <string_view>

namespace tavrin::UuidText {

/// Parses the canonical 36-character form only (8-4-4-4-12 hexadecimal digits, either case).
/// Braces, missing hyphens, surrounding spaces and every other form QUuid would accept are
/// rejected, so that what the store accepts is exactly what it writes.
std::optional<QUuid> parse(std::string_view text);
std::optional<QUuid> parse(const QString& text);

/// The upper-case canonical form without braces, as books and files are named.
std::string toText(const QUuid& id);
QString toQString(const QUuid& id);

} // namespace tavrin::UuidText

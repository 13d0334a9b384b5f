#include "settings/SettingsFile.h"

#include "common/AtomicFile.h"
#include "common/DataLocation.h"

#include <QFile>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <simdjson.h>

namespace tavrin::SettingsFile {

namespace {

using Writer = rapidjson::Writer<rapidjson::StringBuffer, rapidjson::UTF8<>, rapidjson::UTF8<>,
                                 rapidjson::CrtAllocator, rapidjson::kWriteValidateEncodingFlag>;

bool writeKey(Writer& writer, std::string_view key)
{
    return writer.Key(key.data(), static_cast<rapidjson::SizeType>(key.size()));
}

bool writeColor(Writer& writer, std::string_view key, const ColorData& color)
{
    // Writer::Double prints the shortest text that reads back as the same double, and
    // refuses NaN and infinity.
    return writeKey(writer, key) && writer.StartObject() && writeKey(writer, "r") &&
           writer.Double(color.r) && writeKey(writer, "g") && writer.Double(color.g) &&
           writeKey(writer, "b") && writer.Double(color.b) && writeKey(writer, "a") &&
           writer.Double(color.a) && writer.EndObject();
}

std::optional<double> readNumber(simdjson::dom::object object, std::string_view key)
{
    simdjson::dom::element value;
    if (object.at_key(key).get(value) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    switch (value.type()) {
    case simdjson::dom::element_type::INT64:
        return static_cast<double>(value.get_int64().value_unsafe());
    case simdjson::dom::element_type::UINT64:
        return static_cast<double>(value.get_uint64().value_unsafe());
    case simdjson::dom::element_type::DOUBLE:
        return value.get_double().value_unsafe();
    default:
        return std::nullopt;
    }
}

std::optional<ColorData> readColor(simdjson::dom::object object, std::string_view key)
{
    simdjson::dom::object color;
    if (object.at_key(key).get_object().get(color) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    const auto r = readNumber(color, "r");
    const auto g = readNumber(color, "g");
    const auto b = readNumber(color, "b");
    const auto a = readNumber(color, "a");
    if (!r || !g || !b || !a) {
        return std::nullopt;
    }
    return ColorData{*r, *g, *b, *a};
}

} // namespace

QString defaultPath()
{
    const QString dir = DataLocation::appSupportDir();
    return dir.isEmpty() ? QString() : dir + QStringLiteral("settings.json");
}

std::optional<SettingsData> load(const QString& path)
{
    if (path.isEmpty()) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    return decode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

Status<WriteError> save(const QString& path, const SettingsData& settings)
{
    if (path.isEmpty()) {
        return WriteError::notWritable;
    }
    const auto json = encode(settings);
    if (!json) {
        return WriteError::failed;
    }
    return AtomicFile::write(path, json->data(), static_cast<qint64>(json->size()));
}

std::optional<std::string> encode(const SettingsData& settings)
{
    rapidjson::StringBuffer buffer;
    Writer writer(buffer);
    const std::string& font = settings.selectedFont;
    const bool ok = writer.StartObject() && writeKey(writer, "selectedFont") &&
                    writer.String(font.data(), static_cast<rapidjson::SizeType>(font.size())) &&
                    writeKey(writer, "fontSize") && writer.Double(settings.fontSize) &&
                    writeKey(writer, "wpm") && writer.Double(settings.wpm) &&
                    writeColor(writer, "backgroundColor", settings.backgroundColor) &&
                    writeColor(writer, "textColor", settings.textColor) &&
                    writeColor(writer, "orpColor", settings.orpColor) && writer.EndObject();
    if (!ok) {
        return std::nullopt;
    }
    return std::string(buffer.GetString(), buffer.GetSize());
}

std::optional<SettingsData> decode(std::string_view json)
{
    // Editors often start a saved UTF-8 file with a byte order mark; JSON has no place for it.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (json.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        json.remove_prefix(kByteOrderMark.size());
    }
    simdjson::dom::parser parser;
    simdjson::dom::object root;
    if (parser.parse(json.data(), json.size()).get_object().get(root) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    std::string_view font;
    if (root.at_key("selectedFont").get_string().get(font) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    const auto fontSize = readNumber(root, "fontSize");
    const auto wpm = readNumber(root, "wpm");
    const auto backgroundColor = readColor(root, "backgroundColor");
    const auto textColor = readColor(root, "textColor");
    const auto orpColor = readColor(root, "orpColor");
    if (!fontSize || !wpm || !backgroundColor || !textColor || !orpColor) {
        return std::nullopt;
    }
    return SettingsData{std::string(font), *fontSize,  *wpm,
                        *backgroundColor,  *textColor, *orpColor};
}

} // namespace tavrin::SettingsFile

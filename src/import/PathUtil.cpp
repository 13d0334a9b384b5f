#include "import/PathUtil.h"

#include "tokenize/UnicodeText.h"

#include <vector>

namespace tavrin::PathUtil {

std::string parentPath(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::string join(std::string_view directory, std::string_view relative)
{
    if (directory.empty()) {
        return std::string(relative);
    }
    std::string joined;
    joined.reserve(directory.size() + 1 + relative.size());
    joined.append(directory);
    joined.push_back('/');
    joined.append(relative);
    return joined;
}

std::optional<std::string> normalize(std::string_view path)
{
    std::vector<std::string_view> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        const std::string_view segment = path.substr(start, end - start);
        if (segment == "..") {
            if (segments.empty()) {
                return std::nullopt;
            }
            segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string normalized;
    normalized.reserve(path.size());
    for (const std::string_view segment : segments) {
        if (!normalized.empty()) {
            normalized.push_back('/');
        }
        normalized.append(segment);
    }
    return normalized;
}

std::string_view stripFragment(std::string_view href)
{
    return href.substr(0, href.find('#'));
}

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::optional<std::string> percentDecode(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = hexValue(text[i + 1]);
        const int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        decoded.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    if (!UnicodeText::isValidUtf8(decoded)) {
        return std::nullopt;
    }
    return decoded;
}

std::optional<std::string> resolveHref(std::string_view base, std::string_view href)
{
    const std::string_view file = stripFragment(href);
    const std::optional<std::string> decoded = percentDecode(file);
    return normalize(join(base, decoded ? std::string_view(*decoded) : file));
}

std::optional<std::string> resolveLiteral(std::string_view base, std::string_view href)
{
    return normalize(join(base, href));
}

} // namespace tavrin::PathUtil

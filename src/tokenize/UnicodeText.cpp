#include "tokenize/UnicodeText.h"

#include <unicode/brkiter.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

namespace tavrin::UnicodeText {

namespace {

enum AsciiClass : std::uint8_t
{
    kOther = 0,
    kWhitespace = 1, // in both sets
    kNewline = 2,    // only in the white-space-and-newline set
    kTab = 4,        // only in the white-space set
    kAlpha = 8,
};

bool icuIsWhitespaceOrNewline(char32_t c)
{
    if (c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x85) {
        return true;
    }
    const auto type = u_charType(static_cast<UChar32>(c));
    return type == U_SPACE_SEPARATOR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR;
}

bool icuIsWhitespace(char32_t c)
{
    return c == 0x09 || u_charType(static_cast<UChar32>(c)) == U_SPACE_SEPARATOR;
}

// The ASCII half of every set, taken from ICU once so the hot loops need no calls.
const std::array<std::uint8_t, 128>& asciiClasses()
{
    static const auto table = [] {
        std::array<std::uint8_t, 128> t{};
        for (char32_t c = 0; c < 128; ++c) {
            std::uint8_t v = 0;
            const bool wsnl = icuIsWhitespaceOrNewline(c);
            const bool ws = icuIsWhitespace(c);
            if (wsnl && ws) {
                v |= kWhitespace;
            } else if (wsnl) {
                v |= kNewline;
            } else if (ws) {
                v |= kTab;
            }
            if (u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_ALPHABETIC)) {
                v |= kAlpha;
            }
            t[c] = v;
        }
        return t;
    }();
    return table;
}

bool isAscii(std::string_view s)
{
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, s.data() + i, 8);
        if (chunk & 0x8080808080808080ULL) {
            return false;
        }
    }
    for (; i < s.size(); ++i) {
        if (static_cast<unsigned char>(s[i]) & 0x80) {
            return false;
        }
    }
    return true;
}

// One break iterator of each kind per thread: creating one is far dearer than reusing it (a
// word iterator loads its dictionaries). The text it reads is reopened in place for every
// string, and closed when the thread ends. Over UTF-8 text its boundaries are byte offsets.
class ThreadBreakIterator
{
public:
    explicit ThreadBreakIterator(bool words)
    {
        UErrorCode status = U_ZERO_ERROR;
        m_iterator.reset(
            words ? icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status)
                  : icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status)) {
            m_iterator.reset();
        }
    }
    ~ThreadBreakIterator()
    {
        m_iterator.reset();
        utext_close(&m_text);
    }
    ThreadBreakIterator(const ThreadBreakIterator&) = delete;
    ThreadBreakIterator& operator=(const ThreadBreakIterator&) = delete;

    icu::BreakIterator* over(std::string_view s)
    {
        if (!m_iterator) {
            return nullptr;
        }
        UErrorCode status = U_ZERO_ERROR;
        utext_openUTF8(&m_text, s.data(), static_cast<int64_t>(s.size()), &status);
        if (U_FAILURE(status)) {
            return nullptr;
        }
        m_iterator->setText(&m_text, status);
        return U_SUCCESS(status) ? m_iterator.get() : nullptr;
    }

private:
    UText m_text = UTEXT_INITIALIZER;
    std::unique_ptr<icu::BreakIterator> m_iterator;
};

icu::BreakIterator* characterIterator(std::string_view s)
{
    thread_local ThreadBreakIterator iterator(false);
    return iterator.over(s);
}

icu::BreakIterator* wordIterator(std::string_view s)
{
    thread_local ThreadBreakIterator iterator(true);
    return iterator.over(s);
}

template<typename Visit> void forEachCluster(std::string_view s, Visit&& visit)
{
    icu::BreakIterator* it = characterIterator(s);
    if (!it) {
        return;
    }
    std::int32_t start = it->first();
    for (std::int32_t end = it->next(); end != icu::BreakIterator::DONE; end = it->next()) {
        visit(static_cast<std::size_t>(start), static_cast<std::size_t>(end));
        start = end;
    }
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        if (i + 8 <= n) {
            std::uint64_t chunk;
            std::memcpy(&chunk, p + i, 8);
            if ((chunk & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length;
        unsigned char lo = 0x80;
        unsigned char hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) {
                lo = 0xA0; // overlong
            } else if (c == 0xED) {
                hi = 0x9F; // surrogates
            }
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) {
                lo = 0x90; // overlong
            } else if (c == 0xF4) {
                hi = 0x8F; // past U+10FFFF
            }
        } else {
            return false;
        }
        if (n - i < length) {
            return false;
        }
        if (p[i + 1] < lo || p[i + 1] > hi) {
            return false;
        }
        for (std::size_t k = 2; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

std::optional<std::string> decodeUtf8File(std::string_view bytes)
{
    if (!isValidUtf8(bytes)) {
        return std::nullopt;
    }
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (bytes.starts_with(bom)) {
        bytes.remove_prefix(bom.size());
    }
    return std::string(bytes);
}

char32_t decodeNext(std::string_view s, std::size_t& i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    char32_t cp = c & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < s.size(); ++k) {
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    i += length;
    return cp;
}

char32_t decodePrevious(std::string_view s, std::size_t& end)
{
    std::size_t start = end - 1;
    while (start > 0 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80) {
        --start;
    }
    std::size_t i = start;
    const char32_t cp = decodeNext(s, i);
    end = start;
    return cp;
}

bool isWhitespace(char32_t c)
{
    return c < 128 ? (asciiClasses()[c] & (kWhitespace | kTab)) != 0 : icuIsWhitespace(c);
}

bool isWhitespaceOrNewline(char32_t c)
{
    return c < 128 ? (asciiClasses()[c] & (kWhitespace | kNewline)) != 0
                   : icuIsWhitespaceOrNewline(c);
}

bool isAlphabetic(char32_t c)
{
    return c < 128 ? (asciiClasses()[c] & kAlpha) != 0
                   : u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_ALPHABETIC);
}

namespace {

template<typename InSet> std::string_view trim(std::string_view s, InSet inSet)
{
    std::size_t begin = 0;
    while (begin < s.size()) {
        std::size_t next = begin;
        if (!inSet(decodeNext(s, next))) {
            break;
        }
        begin = next;
    }
    std::size_t end = s.size();
    while (end > begin) {
        std::size_t previous = end;
        if (!inSet(decodePrevious(s, previous))) {
            break;
        }
        end = previous;
    }
    return s.substr(begin, end - begin);
}

} // namespace

std::string_view trimWhitespace(std::string_view s)
{
    return trim(s, [](char32_t c) { return isWhitespace(c); });
}

std::string_view trimWhitespaceAndNewlines(std::string_view s)
{
    return trim(s, [](char32_t c) { return isWhitespaceOrNewline(c); });
}

std::size_t graphemeCount(std::string_view s)
{
    if (isAscii(s)) {
        // CR LF is the one ASCII pair that forms a single user-perceived character.
        std::size_t count = s.size();
        for (std::size_t i = 1; i < s.size(); ++i) {
            if (s[i] == '\n' && s[i - 1] == '\r') {
                --count;
            }
        }
        return count;
    }
    std::size_t count = 0;
    forEachCluster(s, [&](std::size_t, std::size_t) { ++count; });
    return count;
}

std::size_t letterCount(std::string_view s)
{
    if (isAscii(s)) {
        const auto& classes = asciiClasses();
        std::size_t count = 0;
        for (const char c : s) {
            count += (classes[static_cast<unsigned char>(c)] & kAlpha) ? 1u : 0u;
        }
        return count;
    }
    std::size_t count = 0;
    forEachCluster(s, [&](std::size_t start, std::size_t) {
        std::size_t i = start;
        count += isAlphabetic(decodeNext(s, i)) ? 1u : 0u;
    });
    return count;
}

void graphemeBoundaries(std::string_view s, std::vector<std::size_t>& out)
{
    out.clear();
    out.push_back(0);
    if (isAscii(s)) {
        for (std::size_t i = 1; i <= s.size(); ++i) {
            if (i < s.size() && s[i] == '\n' && s[i - 1] == '\r') {
                continue;
            }
            out.push_back(i);
        }
        return;
    }
    forEachCluster(s, [&](std::size_t, std::size_t end) { out.push_back(end); });
}

void wordBoundaries(std::string_view s, std::vector<std::size_t>& out)
{
    out.clear();
    out.push_back(0);
    if (icu::BreakIterator* it = s.empty() ? nullptr : wordIterator(s)) {
        it->first();
        for (std::int32_t end = it->next(); end != icu::BreakIterator::DONE; end = it->next()) {
            if (static_cast<std::size_t>(end) < s.size()) {
                out.push_back(static_cast<std::size_t>(end));
            }
        }
    }
    if (!s.empty()) {
        out.push_back(s.size());
    }
}

char lastCharacterAsAscii(std::string_view s)
{
    if (s.empty()) {
        return 0;
    }
    std::size_t end = s.size();
    const char32_t last = decodePrevious(s, end);
    if (end > 0) {
        // The last code point stands alone unless the one before it joins it: a prepended
        // mark, or CR before LF. (A combining mark after it would itself be the last.)
        std::size_t before = end;
        const char32_t previous = decodePrevious(s, before);
        if ((previous == '\r' && last == '\n') ||
            u_getIntPropertyValue(static_cast<UChar32>(previous), UCHAR_GRAPHEME_CLUSTER_BREAK) ==
                U_GCB_PREPEND) {
            return 0;
        }
    }
    if (last < 0x80) {
        return static_cast<char>(last);
    }
    // A few characters are canonically equivalent to an ASCII one, such as the Greek
    // question mark U+037E to the semicolon.
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) {
        return 0;
    }
    icu::UnicodeString decomposition;
    if (nfc->getDecomposition(static_cast<UChar32>(last), decomposition) &&
        decomposition.length() == 1 && decomposition.charAt(0) < 0x80) {
        return static_cast<char>(decomposition.charAt(0));
    }
    return 0;
}

std::string toLower(std::string_view s)
{
    if (isAscii(s)) {
        std::string out(s);
        std::transform(out.begin(), out.end(), out.begin(), asciiLower);
        return out;
    }
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(
        icu::StringPiece(s.data(), static_cast<std::int32_t>(s.size())));
    u.toLower(icu::Locale::getRoot());
    std::string out;
    u.toUTF8String(out);
    return out;
}

} // namespace tavrin::UnicodeText

#include "tokenize/SpacelessWords.h"

#include "tokenize/UnicodeText.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace tavrin {

namespace {

// Longest unit, in characters, that joining short segments may build.
constexpr std::size_t kMaxJoined = 6;

constexpr std::size_t kKeptScratch = 1 << 16;

constexpr std::array kSpacelessScripts{USCRIPT_HAN,    USCRIPT_HIRAGANA, USCRIPT_KATAKANA,
                                       USCRIPT_THAI,   USCRIPT_LAO,      USCRIPT_KHMER,
                                       USCRIPT_MYANMAR};

bool isMark(char32_t c)
{
    const auto mask = U_MASK(u_charType(static_cast<UChar32>(c)));
    return (mask & (U_GC_MN_MASK | U_GC_MC_MASK | U_GC_ME_MASK)) != 0;
}

bool isPunctuation(char32_t c)
{
    return u_ispunct(static_cast<UChar32>(c)) != 0;
}

// The script of a spaceless character, else USCRIPT_INVALID_CODE. Spaceless are the letters,
// marks and digits of the spaceless scripts, and the characters those scripts share with
// others (the prolonged sound mark, the voicing marks); punctuation is not one of them.
UScriptCode spacelessScript(char32_t c)
{
    // Everything below Thai is Latin, Greek, Cyrillic, Arabic, Indic...: space-separated.
    if (c < 0x0E00 || isPunctuation(c)) {
        return USCRIPT_INVALID_CODE;
    }
    const auto code = static_cast<UChar32>(c);
    UErrorCode status = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(code, &status);
    if (U_FAILURE(status)) {
        return USCRIPT_INVALID_CODE;
    }
    const bool shared = script == USCRIPT_COMMON || script == USCRIPT_INHERITED;
    const bool spaceless =
        std::any_of(kSpacelessScripts.begin(), kSpacelessScripts.end(), [&](UScriptCode s) {
            return s == script || (shared && uscript_hasScript(code, s));
        });
    return spaceless ? script : USCRIPT_INVALID_CODE;
}

bool isSpacelessCharacter(char32_t c)
{
    return spacelessScript(c) != USCRIPT_INVALID_CODE;
}

enum class Kind : std::uint8_t
{
    Spaceless,
    Open,  // opening brackets and quotes: stay with the word after them
    Close, // every other punctuation: stays with the word before it
    Other, // letters and digits of other scripts, symbols
};

struct Character
{
    std::size_t offset = 0;
    char32_t c = 0;
    Kind kind = Kind::Other;
    bool counts = false; // a character of the unit's length: no mark, no punctuation
    bool mark = false;
    bool hiragana = false;
};

// Also tells whether c is written in Hiragana, from the same script look-up.
Kind kindOf(char32_t c, bool& hiragana)
{
    if (UnicodeText::isWhitespace(c)) {
        return Kind::Close; // a tab inside a word: trimmed from the unit it ends
    }
    const auto type = u_charType(static_cast<UChar32>(c));
    if (type == U_START_PUNCTUATION || type == U_INITIAL_PUNCTUATION) {
        return Kind::Open;
    }
    if (isPunctuation(c)) {
        return Kind::Close;
    }
    const UScriptCode script = spacelessScript(c);
    hiragana = script == USCRIPT_HIRAGANA;
    return script != USCRIPT_INVALID_CODE ? Kind::Spaceless : Kind::Other;
}

// Characters that continue a run of another script, which stays whole: "live-build", "2.0",
// "http://example.org/a_b" keep their ASCII punctuation inside.
bool continuesRun(const Character& ch)
{
    return ch.kind == Kind::Other || (ch.kind != Kind::Spaceless && ch.c < 0x80);
}

struct Segment
{
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t length = 0; // characters that count
    bool hiragana = true;   // every counted character is Hiragana (a particle, an ending)
    bool endsInPunctuation = false;
};

// Whether the next segment joins the unit built so far.
bool joins(const Segment& unit, const Segment& next)
{
    if (next.length == 0 || unit.length == 0) {
        return true; // punctuation alone is no unit
    }
    if (unit.endsInPunctuation) {
        return false; // a clause or sentence ended there
    }
    // A particle or an ending written in Hiragana belongs to the word before it.
    if (next.length == 1 && next.hiragana) {
        return true;
    }
    const std::size_t joined = unit.length + next.length;
    return (unit.length == 1 || next.length == 1 || next.hiragana) && joined <= kMaxJoined;
}

void appendUnit(std::string_view unit, std::vector<std::string_view>& units)
{
    unit = UnicodeText::trimWhitespace(unit);
    if (!unit.empty()) {
        units.push_back(unit);
    }
}

} // namespace

bool hasSpacelessScript(std::string_view word)
{
    for (std::size_t i = 0; i < word.size();) {
        // Every spaceless letter takes three or four bytes in UTF-8: skip the rest unread.
        if (static_cast<unsigned char>(word[i]) < 0xE0) {
            ++i;
            continue;
        }
        if (isSpacelessCharacter(UnicodeText::decodeNext(word, i))) {
            return true;
        }
    }
    return false;
}

void splitSpacelessWord(std::string_view word, std::vector<std::string_view>& units)
{
    thread_local std::vector<Character> characters;
    thread_local std::vector<std::size_t> boundaries;
    characters.clear();
    for (std::size_t i = 0; i < word.size();) {
        Character ch;
        ch.offset = i;
        ch.c = UnicodeText::decodeNext(word, i);
        ch.mark = isMark(ch.c);
        if (ch.mark) {
            ch.kind = characters.empty() ? Kind::Other : characters.back().kind;
        } else {
            ch.kind = kindOf(ch.c, ch.hiragana);
            ch.counts = ch.kind == Kind::Spaceless || ch.kind == Kind::Other;
        }
        characters.push_back(ch);
    }
    UnicodeText::wordBoundaries(word, boundaries);

    // Walk the characters, closing a segment where a word boundary (or a change between a
    // spaceless script and another) is not held together by the rules above.
    Segment unit;
    bool haveUnit = false;
    Segment segment;
    std::size_t nextBoundary = 1;
    auto emit = [&](const Segment& s) {
        if (haveUnit && joins(unit, s)) {
            unit.end = s.end;
            unit.length += s.length;
            unit.hiragana = unit.hiragana && s.hiragana;
            unit.endsInPunctuation = s.endsInPunctuation;
            return;
        }
        if (haveUnit) {
            appendUnit(word.substr(unit.begin, unit.end - unit.begin), units);
        }
        unit = s;
        haveUnit = true;
    };
    // Inside a run of another script, which begins at a letter or digit of it.
    bool inRun = false;
    for (std::size_t k = 0; k < characters.size(); ++k) {
        const Character& ch = characters[k];
        if (k > 0) {
            const Character& before = characters[k - 1];
            while (nextBoundary < boundaries.size() && boundaries[nextBoundary] < ch.offset) {
                ++nextBoundary;
            }
            const bool atBoundary =
                (nextBoundary < boundaries.size() && boundaries[nextBoundary] == ch.offset) ||
                ((before.kind == Kind::Spaceless) != (ch.kind == Kind::Spaceless) && !ch.mark);
            inRun = inRun && continuesRun(before);
            const bool held = (inRun && continuesRun(ch)) || ch.kind == Kind::Close ||
                              before.kind == Kind::Open || ch.mark;
            if (atBoundary && !held) {
                segment.end = ch.offset;
                emit(segment);
                segment = Segment{ch.offset};
            }
        }
        inRun = inRun || ch.kind == Kind::Other;
        if (ch.counts) {
            ++segment.length;
            segment.hiragana = segment.hiragana && ch.hiragana;
        }
        if (!ch.mark) {
            segment.endsInPunctuation = ch.kind == Kind::Close;
        }
    }
    segment.end = word.size();
    if (!characters.empty()) {
        emit(segment);
    }
    if (haveUnit) {
        appendUnit(word.substr(unit.begin, unit.end - unit.begin), units);
    }
    // A page-long "word" (text without spaces or line breaks) must not keep its scratch space
    // for the life of the import thread.
    if (characters.capacity() > kKeptScratch) {
        characters = {};
        boundaries = {};
    }
}

} // namespace tavrin

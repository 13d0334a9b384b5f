// Real books as Debian ships them (live-manual-epub, ubuntu-packaging-guide-epub*), read
// when installed and skipped otherwise.
#include "import/EPUBParser.h"

#include <QFile>
#include <QString>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace tavrin {
namespace {

struct RealBook
{
    const char* name;
    const char* path;
    const char* title;
    const char* expectedWord; // a word of the book's own script that must come out intact
};

class EPUBRealBooks : public ::testing::TestWithParam<RealBook>
{};

TEST_P(EPUBRealBooks, ReadCleanly)
{
    const QString path = QString::fromUtf8(GetParam().path);
    if (!QFile::exists(path)) {
        GTEST_SKIP() << GetParam().path << " is not installed";
    }
    const EPUBParseOutcome outcome = EPUBParser::parse(path);
    ASSERT_TRUE(std::holds_alternative<EPUBParseResult>(outcome));
    const auto& book = std::get<EPUBParseResult>(outcome);

    EXPECT_EQ(book.title, GetParam().title);
    EXPECT_GT(book.tokens.size(), 1000u);
    ASSERT_GE(book.startIndex, 0);
    EXPECT_LT(static_cast<std::size_t>(book.startIndex), book.tokens.size());

    // Chapters run 0, 1, 2 ... without gaps, and no text came out garbled.
    std::int64_t chapter = 0;
    bool found = false;
    for (const WordToken& token : book.tokens) {
        ASSERT_TRUE(token.chapterIndex == chapter || token.chapterIndex == chapter + 1)
            << token.text;
        chapter = token.chapterIndex;
        EXPECT_FALSE(token.text.empty());
        EXPECT_EQ(token.text.find("\uFFFD"), std::string::npos) << token.text;
        EXPECT_EQ(token.text.find("\u00C3"), std::string::npos)
            << token.text; // UTF-8 read as Latin-1
        found = found || token.text.find(GetParam().expectedWord) != std::string::npos;
    }
    EXPECT_TRUE(found) << GetParam().expectedWord;
}

INSTANTIATE_TEST_SUITE_P(
    Debian, EPUBRealBooks,
    ::testing::Values(
        RealBook{"LiveManualEnglish", "/usr/share/doc/live-manual/epub/live-manual.en.epub",
                 "Live Systems Manual", "manual"},
        RealBook{"LiveManualJapanese", "/usr/share/doc/live-manual/epub/live-manual.ja.epub",
                 "Live システムマニュアル", "マニュアル"},
        RealBook{"PackagingGuideEnglish",
                 "/usr/share/doc/ubuntu-packaging-guide-epub/ubuntu-packaging-guide.epub",
                 "Ubuntu Packaging Guide", "packaging"},
        RealBook{"PackagingGuideRussian",
                 "/usr/share/doc/ubuntu-packaging-guide-epub-ru/ubuntu-packaging-guide.epub",
                 "Ubuntu Packaging Guide", "Руководство"}),
    [](const ::testing::TestParamInfo<RealBook>& param) { return std::string(param.param.name); });

} // namespace
} // namespace tavrin

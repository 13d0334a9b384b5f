#include "app/ContextView.h"
#include "app/ContentsPanel.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace tavrin::test {
namespace {

std::vector<WordToken> sentences(const std::vector<std::string>& words)
{
    std::vector<WordToken> tokens;
    for (const auto& word : words) {
        tokens.push_back({word, word.back() == '.' ? 3.0 : 1.0, false, 0});
    }
    return tokens;
}

TEST(ContextTextTest, TheSentenceAndSomeWordsAroundItNeverTheWholeBook)
{
    auto tokens = sentences({"One", "two.", "Three", "four", "five."});
    tokens[1].pauseMultiplier = 3.5; // a paragraph ends there
    const auto context = ContextText::around(tokens, 3);
    EXPECT_EQ(context.text, "One two.\u2028Three four five.");
    ASSERT_EQ(context.words.size(), 5u);
    EXPECT_EQ(context.words[context.current], (ContextText::Word{17, 4, 3}));
    EXPECT_TRUE(ContextText::around(tokens, 5).words.empty());

    // A book without a single sentence end: the text stays small wherever the reader is.
    const std::vector<WordToken> endless(200000, WordToken{"word", 1.0, false, 0});
    const auto far = ContextText::around(endless, 100000);
    EXPECT_LE(far.words.size(), 300u);
    EXPECT_EQ(far.words[far.current].tokenIndex, 100000);
}

TEST(ContextViewTest, AClickOnAWordNamesThatWord)
{
    for (const auto& words : std::vector<std::vector<std::string>>{
             {"The", "quick", "brown", "fox.", "It", "jumps", "over", "the", "lazy", "dog", "and",
              "runs", "far", "away.", "Then", "it", "sleeps."},
             {"\u05E9\u05DC\u05D5\u05DD", "\u05E2\u05D5\u05DC\u05DD.", "\u05D6\u05D4",
              "\u05E1\u05E4\u05E8", "\u05D8\u05D5\u05D1", "\u05DE\u05D0\u05D5\u05D3."}}) {
        const auto tokens = sentences(words);
        ContextView view;
        view.resize(160, 200); // narrow: the text wraps over several lines
        QFont font;
        font.setPixelSize(18);
        view.setTextFont(font);
        view.setColors(Qt::white, QColor(0, 255, 0));
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            view.setContext(ContextText::around(tokens, static_cast<std::int64_t>(i)));
            // Click the centre of the ink drawn in the highlight colour.
            const QImage image = view.grab().toImage();
            QRect highlight;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.green() > 150 && c.red() < 100 && c.blue() < 100) {
                        highlight |= QRect(x, y, 1, 1);
                    }
                }
            }
            QSignalSpy clicked(&view, &ContextView::wordClicked);
            QTest::mouseClick(&view, Qt::LeftButton, {}, highlight.center());
            ASSERT_EQ(clicked.count(), 1) << words[i];
            EXPECT_EQ(clicked.front().front().toULongLong(), i) << words[i];
            if (words.front() == "The") { // the space after a word names no word
                EXPECT_EQ(view.tokenAt(QPointF(highlight.right() + 3, highlight.center().y())),
                          std::nullopt)
                    << words[i];
            }
        }
        EXPECT_EQ(view.tokenAt(QPointF(2, 2)), std::nullopt) << "beside the text";
    }
}

TEST(ContentsPanelTest, MarksTheEntryBeingReadAndGoesWhereAnEntryPoints)
{
    ContentsPanel panel;
    panel.resize(ContentsPanel::kWidth, 600);
    panel.setContents({{"One", 0, 0}, {"One, part two", 10, 1}, {"Two", 20, 0}}, 40);
    panel.setPosition(15);
    QListWidget* list = panel.list();
    ASSERT_EQ(list->count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list->item(i)->data(Qt::UserRole + 3).toBool(), i == 1);
        EXPECT_EQ(list->item(i)->data(Qt::UserRole + 2).toDouble(), (2 - i) / 2.0);
    }
    panel.show();
    QSignalSpy chosen(&panel, &ContentsPanel::entryChosen);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(2)).center());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.front().front().toLongLong(), 20);
}

} // namespace
} // namespace tavrin::test

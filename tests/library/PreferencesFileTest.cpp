#include "common/PreferencesFile.h"

#include "library/FileSizeLimit.h"
#include "support/TestHome.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

#include <random>

namespace tavrin {
namespace {

using Durability = PreferencesFile::Durability;

QSettings viaQSettings()
{
    return QSettings(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
}

class PreferencesFileTest : public ::testing::Test
{
protected:
    test::TestHome home;
    PreferencesFile preferences{QStringLiteral("Tavrin"), QStringLiteral("Tavrin")};
};

// Whatever is written here, QSettings reads back exactly: the writer must escape as QSettings
// does, or a library value would come back altered.
TEST_F(PreferencesFileTest, QSettingsReadsBackEveryValueExactly)
{
    std::mt19937 random(7);
    QByteArray allBytes;
    QByteArray noise;
    for (int i = 0; i < 5000; ++i) {
        allBytes += static_cast<char>(i % 256);
        noise += static_cast<char>(random() % 256);
    }
    allBytes.truncate(256);
    const QVariant values[] = {
        QByteArray(R"([{"id":"A","title":"Say \"hi\", a=b; c\\d"}])"),
        QByteArray::fromHex("01307f66ff410037"), // escapes followed by hex digits
        QByteArray(),
        allBytes,
        noise,
        QStringLiteral("@ByteArray(not really)"),
        QStringLiteral("@@"),
        QString(),
        QStringLiteral(" spaced, text=\"quoted\"; \\ \t\n caf\u00e9 \U0001F600 "),
        QString(QStringLiteral("nul")) + QChar::Null + QStringLiteral("inside"),
    };
    int n = 0;
    for (const QVariant& value : values) {
        const QString key = QStringLiteral("key_") + QString::number(n++);
        ASSERT_TRUE(preferences.setValue(key, value, Durability::atomic));
        const QVariant back = viaQSettings().value(key);
        EXPECT_EQ(back.typeId(), value.typeId()) << n;
        EXPECT_EQ(back, value) << n;
    }
    EXPECT_EQ(preferences.fileName(), home.preferencesFile());
    EXPECT_FALSE(preferences.value(QStringLiteral("missing")).isValid());
    // What another writer stored, even what this writer could not reproduce itself, is kept.
    const QStringList recent{QStringLiteral("a"), QStringLiteral("b")};
    viaQSettings().setValue(QStringLiteral("window/size"), 42);
    viaQSettings().setValue(QStringLiteral("recent"), recent);
    ASSERT_TRUE(
        preferences.setValue(QStringLiteral("mine"), QByteArray("x,y"), Durability::durable));
    EXPECT_EQ(viaQSettings().value(QStringLiteral("window/size")).toInt(), 42);
    EXPECT_EQ(viaQSettings().value(QStringLiteral("recent")).toStringList(), recent);
    EXPECT_EQ(preferences.value(QStringLiteral("mine")).toByteArray(), QByteArray("x,y"));
    EXPECT_EQ(viaQSettings().value(QStringLiteral("key_3")), allBytes);
    EXPECT_EQ(viaQSettings().allKeys().size(), n + 3);
}

TEST_F(PreferencesFileTest, EveryWriteReplacesTheFileAndIsSeenAtOnce)
{
    // QSettings notices a change by size and modification time to the millisecond; writes of
    // the same size, faster than one a millisecond, must still each get a later time.
    QByteArray value(1000, 'x');
    QDateTime last;
    for (int i = 0; i < 50; ++i) {
        value[0] = static_cast<char>('a' + i % 26);
        ASSERT_TRUE(preferences.setValue(QStringLiteral("v"), value, Durability::atomic));
        ASSERT_EQ(viaQSettings().value(QStringLiteral("v")).toByteArray(), value) << i;
        const QDateTime modified = QFileInfo(home.preferencesFile()).lastModified();
        EXPECT_GT(modified, last) << i;
        last = modified;
    }
}

TEST_F(PreferencesFileTest, AFailedWriteLeavesTheFileAsItWas)
{
    ASSERT_TRUE(preferences.setValue(QStringLiteral("v"), QByteArray("old"), Durability::atomic));
    {
        const test::FileSizeLimit full(4096);
        EXPECT_FALSE(preferences.setValue(QStringLiteral("v"), QByteArray(100'000, 'n'),
                                          Durability::atomic));
    }
    EXPECT_EQ(viaQSettings().value(QStringLiteral("v")).toByteArray(), QByteArray("old"));
    const QDir dir = QFileInfo(home.preferencesFile()).dir();
    EXPECT_EQ(dir.entryList(QDir::Files | QDir::Hidden).size(), 1);
}

} // namespace
} // namespace tavrin

#include "import/ZipArchive.h"
#include "ZipBuilder.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using Status = ZipArchive::ReadStatus;

TEST(ZipArchive, AddressesFilesAndFolders)
{
    test::ZipEntry link{"link", "target"};
    link.unixMode = 0120777;
    const std::string bytes = test::buildZip({{"A/b.txt", "one"},
                                              {"A/Deep/c.txt", "two"},
                                              {"empty/", ""},
                                              link,
                                              {"dup.txt", "first"},
                                              {"dup.txt", "second"},
                                              {"x/y.txt", "lower"},
                                              {"X/Y.txt", "upper"}});
    auto archive = ZipArchive::openMemory(bytes, {});
    ASSERT_TRUE(archive);
    EXPECT_TRUE(archive->exists(""));
    EXPECT_TRUE(archive->exists("A"));
    EXPECT_TRUE(archive->exists("A/Deep"));
    EXPECT_TRUE(archive->exists("empty"));
    EXPECT_FALSE(archive->exists("A/missing.txt"));

    EXPECT_EQ(archive->read("A/Deep/c.txt").bytes, "two");
    EXPECT_EQ(archive->read("a/deep/C.TXT").bytes, "two"); // letter case differs only
    EXPECT_EQ(archive->read("dup.txt").bytes, "second");   // the later entry wins
    EXPECT_EQ(archive->read("X/Y.txt").bytes, "upper");
    EXPECT_EQ(archive->read("x/Y.txt").status, Status::missing); // ambiguous in letter case
    EXPECT_EQ(archive->read("A").status, Status::unreadable);
    EXPECT_EQ(archive->read("link").status, Status::unreadable);
    EXPECT_EQ(archive->read("nothing").status, Status::missing);
}

TEST(ZipArchive, EntryAndArchiveBudgets)
{
    const std::string bytes = test::buildZip(
        {{"small", std::string(100, 'a')}, {"big", std::string(1000, 'b')}, {"more", "x"}});
    auto archive = ZipArchive::openMemory(bytes, {500, 250});
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->read("big").status, Status::unreadable); // over the entry budget
    EXPECT_TRUE(archive->read("small").ok());
    EXPECT_TRUE(archive->read("small").ok());
    EXPECT_FALSE(archive->budgetExhausted());
    EXPECT_EQ(archive->read("small").status, Status::budgetExhausted); // 300 > 250
    EXPECT_EQ(archive->read("more").status, Status::budgetExhausted);  // and it stays spent
    EXPECT_TRUE(archive->budgetExhausted());
}

TEST(ZipArchive, DataLongerOrShorterThanDeclaredIsUnreadable)
{
    test::ZipEntry longer{"longer", std::string(5000, 'x')};
    longer.declaredSize = 10;
    test::ZipEntry shorter{"shorter", "abc"};
    shorter.declaredSize = 4000;
    test::ZipEntry badCrc{"crc", "content"};
    badCrc.crc = 1;
    const std::string bytes = test::buildZip({longer, shorter, badCrc, {"fine", "ok"}});
    auto archive = ZipArchive::openMemory(bytes, {});
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->read("longer").status, Status::unreadable);
    EXPECT_EQ(archive->read("shorter").status, Status::unreadable);
    EXPECT_EQ(archive->read("crc").status, Status::unreadable);
    EXPECT_EQ(archive->read("fine").bytes, "ok");
}

} // namespace
} // namespace tavrin

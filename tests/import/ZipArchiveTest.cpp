#include "import/ZipArchive.h"
#include "ZipBuilder.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using Status = ZipArchive::ReadStatus;

TEST(ZipArchive, AddressesFilesAndFolders)
{
    // A folder, a link, data longer or shorter than the headers say and a wrong CRC are
    // unreadable; reading them spoils nothing after.
    const std::string bytes = test::buildZip({{"A/b.txt", "one"},
                                              {"A/Deep/c.txt", "two"},
                                              {"empty/", ""},
                                              {"link", "target", true, 0120777},
                                              {"longer", std::string(5000, 'x'), true, {}, 10},
                                              {"shorter", "abc", true, {}, 4000},
                                              {"crc", "content", true, {}, {}, 1},
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
    for (const char* name : {"A", "link", "longer", "shorter", "crc"}) {
        EXPECT_EQ(archive->read(name).status, Status::unreadable) << name;
    }
    EXPECT_EQ(archive->read("A/Deep/c.txt").bytes, "two");
    EXPECT_EQ(archive->read("a/deep/C.TXT").bytes, "two"); // letter case differs only
    EXPECT_EQ(archive->read("dup.txt").bytes, "second");   // the later entry wins
    EXPECT_EQ(archive->read("X/Y.txt").bytes, "upper");
    EXPECT_EQ(archive->read("x/Y.txt").status, Status::missing); // ambiguous in letter case
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

} // namespace
} // namespace tavrin

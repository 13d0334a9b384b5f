#include "import/PathUtil.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

struct HrefCase
{
    std::string base;
    std::string href;
    std::optional<std::string> path;
};

TEST(PathUtil, ResolveHref)
{
    const std::vector<HrefCase> cases = {
        {"OEBPS", "Text/ch%201.xhtml#start", "OEBPS/Text/ch 1.xhtml"},
        {"OEBPS", "../Text/ch1.xhtml", "Text/ch1.xhtml"},
        {"OEBPS", "./a/./b/../c.xhtml", "OEBPS/a/c.xhtml"},
        {"", "c.xhtml#x#y", "c.xhtml"},
        {"OEBPS", "#only-a-fragment", "OEBPS"},
        {"OEBPS", "/abs.xhtml", "OEBPS/abs.xhtml"},
        {"OEBPS//Text/", "a.xhtml", "OEBPS/Text/a.xhtml"},
        {"OEBPS", "%E7%AB%A0.xhtml", "OEBPS/\u7AE0.xhtml"},
        {"OEBPS", "ch%31", "OEBPS/ch1"},                 // an escape that ends the name
        {"OEBPS", "100%.xhtml", "OEBPS/100%.xhtml"},     // invalid escape: as written
        {"OEBPS", "%C3%28.xhtml", "OEBPS/%C3%28.xhtml"}, // decodes to invalid UTF-8
        {"OEBPS", "../../x.xhtml", std::nullopt},
        {"OEBPS", "%2e%2e/%2E%2E/x.xhtml", std::nullopt},
        {"OEBPS", "..%2f..%2fx.xhtml", std::nullopt},
        {"", "..", std::nullopt},
    };
    for (const HrefCase& c : cases) {
        EXPECT_EQ(PathUtil::resolveHref(c.base, c.href), c.path) << c.base << " + " << c.href;
    }
}

} // namespace
} // namespace tavrin

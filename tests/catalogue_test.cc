// Loading zemka.seq: the index of extents, the record layout, and the report for each kind
// of malformed file.
#include <gtest/gtest.h>

#include "dialog_harness.h"

namespace zemka::test {
namespace {

// The texts of message n, trailing blanks removed.
std::vector<std::string> texts(const Catalogue& c, int n) {
    std::vector<std::string> out;
    for (const MessageRecord* r : c.extent(n)) out.push_back(r->text.substr(0, r->text.find_last_not_of(' ') + 1));
    return out;
}

TEST(Catalogue, ExtentsAndRecordLayout) {
    std::string longLine = "   5 " + std::string(72, 'x') + "cut";
    Catalogue c = catalogueOf("   1 one\r\n   1Aone for A\n   3 three\n" + longLine + "\n  12\n9999 ignored\n");
    EXPECT_EQ(texts(c, 1), (std::vector<std::string>{"one", "one for A"}));
    EXPECT_EQ(c.extent(1)[1]->letter, 'A');
    EXPECT_TRUE(c.extent(2).empty());  // a gap in the numbering
    EXPECT_EQ(texts(c, 3), std::vector<std::string>{"three"});
    ASSERT_EQ(c.extent(5).size(), 1u);
    EXPECT_EQ(c.extent(5)[0]->text, std::string(72, 'x'));
    // The last message has no following number, so it shows nothing.
    EXPECT_EQ(c.size(), 5u);
    EXPECT_TRUE(c.extent(12).empty());
    for (int n : {0, -1, 999, 1000, 5000}) EXPECT_TRUE(c.extent(n).empty()) << n;
}

TEST(Catalogue, MalformedFilesNameFileAndLine) {
    struct Case {
        std::string text;
        int line;
    };
    const std::vector<Case> cases = {
        {"   1 a\n  x1 b\n9999\n", 2},   {"   1 a\n1001 b\n9999\n", 2}, {"   1 a\n\n9999\n", 2},
        {"   5 a\n   4 b\n9999\n", 2},   {"   1 $$x\n9999\n", 1},       {"   1 a\n   2 $$0\n9999\n", 2},
        {"   1 ab $$\n9999\n", 1},       {"   1 a\n   2 b\n", 3},       {"", 1},
        {"   1 $$$1\n9999\n", 1},        {"  -3 a\n9999\n", 1},
    };
    for (const Case& c : cases) {
        try {
            catalogueOf(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const CatalogueError& e) {
            std::string want = "zemka.seq, line " + std::to_string(c.line) + ":";
            EXPECT_EQ(std::string(e.what()).substr(0, want.size()), want) << e.what();
        }
    }
    // Example lines are shown as they stand, so their "$" signs need not be placeholders.
    EXPECT_NO_THROW(catalogueOf("   1A$$x\n   2 b\n9999\n"));
}

TEST(Catalogue, PlaceholdersAndDollarRemoval) {
    Unknowns u;
    u.name[1] = "ab ", u.length[1] = 2;
    Catalogue c = catalogueOf("   1 x$$1y $ z\n   1 " + std::string(66, 'a') + "$$1$$$\n   2\n9999\n");
    auto lines = c.extent(1);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Catalogue::resolve(*lines[0], false, u), std::string("xaby  z") + std::string(65, ' '));
    EXPECT_EQ(Catalogue::resolve(*lines[0], true, u), lines[0]->text);
    // Placeholders start at most in column 69, and column 72 is never moved.
    EXPECT_EQ(Catalogue::resolve(*lines[1], false, u), std::string(66, 'a') + "ab   $");
}

// Twenty thousand records and the closing one load; a longer file, with or without its
// closing record, is refused rather than cut.
TEST(Catalogue, ReadsAtMostTwentyThousandRecords) {
    std::string text;
    for (int i = 0; i < Catalogue::maxRecords; ++i) text += "   1 line\n";
    EXPECT_EQ(catalogueOf(text + "9999\n").size(), static_cast<std::size_t>(Catalogue::maxRecords));
    for (std::string tail : {"   2 more\n", "   2 more\n9999\n"})
        EXPECT_THROW(
            {
                try {
                    catalogueOf(text + tail);
                } catch (const CatalogueError& e) {
                    EXPECT_STREQ(e.what(), "zemka.seq, line 20001: more than 20000 records before the closing "
                                           "record numbered 9999");
                    throw;
                }
            },
            CatalogueError);
}

}  // namespace
}  // namespace zemka::test

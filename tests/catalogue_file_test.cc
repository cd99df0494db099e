// The message file we ship, data/zemka.seq: it loads, fits the terminal and the comment boxes
// of main.f, has a text for every message the built generators show, and names only unknowns
// that exist when each message is shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue.h"

namespace zemka {
namespace {

// tests/ and data/ sit side by side in the source tree.
const std::filesystem::path seqPath =
    std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "zemka.seq";

struct Range {
    int first, last;
};

// Every message that the driver or a generator shows.
constexpr Range shown[] = {{1, 411}};

// Messages shown after the unknowns are named: "$$1" may stand in them.
constexpr Range named[] = {{27, 61},   {67, 134},  {138, 173},
                           {196, 278}, {284, 340}, {345, 411}};

// First numbers of the blocks of four versions for 1, 2, 3 and 4-or-more unknowns; version v
// (0..3) may name unknowns 1 to v+1. 271 is the "t varies" message and 272-274 the stress
// versions for 2, 3 and 4 or more unknowns, so 271 + v follows the same rule.
constexpr int variantBlocks[] = {29,  33,  37,  41,  49,  55,  70,  75,  82,  86,  90,  102,
                                 107, 111, 119, 138, 142, 146, 150, 154, 160, 166, 170, 196,
                                 200, 204, 208, 212, 219, 223, 227, 236, 243, 248, 256, 263,
                                 271, 284, 288, 292, 296, 300, 309, 319, 327, 331, 345, 349,
                                 353, 357, 361, 369, 373, 381, 399};

bool within(const Range& r, int n) { return n >= r.first && n <= r.last; }

// The highest unknown that message n may name; 0 while no names are known.
int highestUnknown(int n) {
    for (int base : variantBlocks)
        if (n >= base && n < base + 4) return n - base + 1;
    for (const Range& r : named)
        if (within(r, n)) return 1;
    return 0;
}

const Catalogue& shipped() {
    static const Catalogue c = [] {
        std::ifstream in(seqPath);
        if (!in) throw std::runtime_error("cannot open " + seqPath.string());
        return Catalogue::load(in, seqPath.string());
    }();
    return c;
}

TEST(ShippedCatalogue, RecordsFitTheirColumns) {
    std::ifstream in(seqPath);
    ASSERT_TRUE(in) << seqPath;
    std::string line;
    for (int i = 1; std::getline(in, line); ++i) {
        EXPECT_LE(line.size(), 77u) << "line " << i;
        for (char c : line) EXPECT_TRUE(c >= ' ' && c <= '~') << "line " << i << ": " << line;
        // A text shifted one column left would make its first letter an example letter.
        if (line.size() > 4) {
            EXPECT_TRUE(line[4] == ' ' || exampleLetters.find(line[4]) != std::string_view::npos)
                << "line " << i << ": " << line;
        }
    }
}

TEST(ShippedCatalogue, EveryShownMessageHasTextAndFitsOnePage) {
    const Catalogue& c = shipped();
    for (const Range& r : shown)
        for (int n = r.first; n <= r.last; ++n) {
            bool text = false;
            for (const MessageRecord* rec : c.extent(n))
                text |= rec->text.find_first_not_of(' ') != std::string::npos;
            EXPECT_TRUE(text) << "message " << n;
        }
    // The terminal pauses after 22 lines of one message: its ordinary lines and the lines of
    // the example followed, if any.
    for (int n = 1; n < Catalogue::indexSize; ++n) {
        std::map<char, std::size_t> lines;  // by letter, ' ' for the ordinary lines
        for (const MessageRecord* r : c.extent(n)) ++lines[r->letter];
        std::size_t ordinary = lines[' '];
        for (auto [letter, count] : lines)
            EXPECT_LT(letter == ' ' ? count : ordinary + count, 22u) << "message " << n << ", letter " << letter;
    }
}

TEST(ShippedCatalogue, PlaceholdersNameKnownUnknowns) {
    const Catalogue& c = shipped();
    for (int n = 1; n < Catalogue::indexSize; ++n)
        for (const MessageRecord* r : c.extent(n)) {
            if (exampleLetters.find(r->letter) != std::string_view::npos) continue;  // shown as written
            const std::string& t = r->text;
            // Replacing a placeholder shifts columns 1-71 only, leaving column 72 behind.
            if (t.find('$') != std::string::npos) {
                EXPECT_EQ(t[71], ' ') << "message " << n << ": " << t;
            }
            for (std::size_t p = t.find('$'); p != std::string::npos; p = t.find('$', p + 3)) {
                // A lone "$" vanishes, and "$$k" is replaced only where it starts by column 69.
                ASSERT_TRUE(p <= 68 && t[p + 1] == '$' && t[p + 2] >= '1' && t[p + 2] <= '9')
                    << "message " << n << ": " << t;
                EXPECT_LE(t[p + 2] - '0', highestUnknown(n)) << "message " << n << ": " << t;
            }
        }
}

}  // namespace
}  // namespace zemka

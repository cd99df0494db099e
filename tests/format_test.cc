// The FORMAT engine: edit descriptors, record structure, and the Fortran quirks the
// generated program depends on.
#include <gtest/gtest.h>

#include "format.h"

namespace zemka {
namespace {

using Records = std::vector<std::string>;

Items chars(std::string_view s) {
    Items items;
    appendChars(items, s);
    return items;
}

// The parameter common line with n items ",P1    ", ",P2    ", ...
Records commonLine(int n) {
    Items items;
    for (int k = 1; k <= n; ++k) {
        std::string item = ",P" + std::to_string(k);
        item.resize(7, ' ');
        items.emplace_back(item);
    }
    return formatRecords("(6X,'common/parm8z/ pi',6A7,/,(5X,'&',9A7))", items);
}

TEST(Format, EditDescriptors) {
    EXPECT_EQ(formatRecords("(3X,'it''s',1X,A)", {"ab"}), Records{"   it's ab"});
    // Aw right-justifies a short string and keeps the left end of a long one.
    EXPECT_EQ(formatRecords("(A5,'|',A2,'|')", {"ab", "wxyz"}), Records{"   ab|wx|"});
    EXPECT_EQ(formatRecords("(I5,I3,I2)", {42, -7, -10}), Records{"   42 -7**"});
    EXPECT_EQ(formatRecords("(I10)", {-1234567890}), Records{"**********"});
    EXPECT_EQ(formatRecords("('C',78('#'))", {}), Records{"C" + std::string(78, '#')});
    EXPECT_EQ(formatRecords("(2('<',2('ab',I1),'>'))", {1, 2, 3, 4}), Records{"<ab1ab2><ab3ab4>"});
    EXPECT_EQ(formatRecords("(3A1)", chars("xyz")), Records{"xyz"});
    // A trailing nX moves the position but writes nothing.
    EXPECT_EQ(formatRecords("(A,5X)", {"q"}), Records{"q"});
    EXPECT_EQ(formatRecords("(37X)", {}), Records{""});
}

TEST(Format, SlashesAndStoppingAtTheFirstMissingItem) {
    EXPECT_EQ(formatRecords("(/)", {}), (Records{"", ""}));
    EXPECT_EQ(formatRecords("('a',/,'b')", {}), (Records{"a", "b"}));
    // Output ends at the first data descriptor with no item; literals before it still appear.
    EXPECT_EQ(formatRecords("('x=',I3,' y=',I3)", {1}), Records{"x=  1 y="});
    EXPECT_EQ(formatRecords("('x=',I3,' y=',I3)", {}), Records{"x="});
}

TEST(Format, ReversionRestartsTheLastTopLevelGroup) {
    EXPECT_EQ(formatRecords("('h',I2,(' g',I2))", {1, 2, 3, 4}), (Records{"h 1 g 2", " g 3", " g 4"}));
    // Of two groups only the last is used again.
    EXPECT_EQ(formatRecords("((' a',I1),(' b',I1))", {1, 2, 3, 4}), (Records{" a1 b2", " b3", " b4"}));
    // Without a group the whole format is used again, each pass on a new record.
    EXPECT_EQ(formatRecords("('[',I1,']')", {1, 2}), (Records{"[1]", "[2]"}));
}

TEST(Format, TextContinuationLines) {
    const char* f = "(6X,66A1,/,(5X,'&',66A1))";
    std::string s66(66, 'a'), s67 = s66 + "b";
    // Exactly 66 characters: the continuation group starts before it finds no item.
    EXPECT_EQ(formatRecords(f, chars(s66)), (Records{"      " + s66, "     &"}));
    EXPECT_EQ(formatRecords(f, chars(s67)), (Records{"      " + s66, "     &b"}));
    // 132 characters end with the format itself, so no bare line follows.
    EXPECT_EQ(formatRecords(f, chars(s66 + s66)), (Records{"      " + s66, "     &" + s66}));
    EXPECT_EQ(formatRecords(f, chars(s66 + s67)), (Records{"      " + s66, "     &" + s66, "     &b"}));
    EXPECT_EQ(formatRecords(f, chars(" ")), Records{"       "});
}

TEST(Format, ParameterCommonLine) {
    std::string head = "      common/parm8z/ pi";
    EXPECT_EQ(commonLine(0), Records{head});
    Records six = commonLine(6);
    ASSERT_EQ(six.size(), 2u);
    EXPECT_EQ(six[0], head + ",P1    ,P2    ,P3    ,P4    ,P5    ,P6    ");
    EXPECT_EQ(six[1], "     &");
    EXPECT_EQ(commonLine(7), (Records{six[0], "     &,P7    "}));
    Records fifteen = commonLine(15);
    ASSERT_EQ(fifteen.size(), 2u);
    EXPECT_EQ(fifteen[1], "     &,P7    ,P8    ,P9    ,P10   ,P11   ,P12   ,P13   ,P14   ,P15   ");
    Records sixteen = commonLine(16);
    EXPECT_EQ(sixteen, (Records{six[0], fifteen[1], "     &,P16   "}));
}

// A run of one-character items is put whole, yet each character is still an item of its own.
TEST(Format, RunsOfCharactersAreItemsOneByOne) {
    EXPECT_EQ(formatRecords("(3A1,'|',A3)", chars("abcd")), Records{"abc|  d"});
    EXPECT_EQ(formatRecords("(2A1,/,(3A1))", chars("abcdefgh")), (Records{"ab", "cde", "fgh"}));
    Items mixed = chars("xy");
    mixed.emplace_back(7);
    appendChars(mixed, "z");
    EXPECT_EQ(formatRecords("(2A1,I2,A1)", mixed), Records{"xy 7z"});
    // More items and text than a write keeps in place.
    Items many{"name"};
    appendChars(many, std::string(150, 'a') + std::string(150, 'b'));
    many.emplace_back("tail");
    Records lines = formatRecords("(A,'=',/,(150A1))", many);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "name=");
    EXPECT_EQ(lines[1], std::string(150, 'a'));
    EXPECT_EQ(lines[2], std::string(150, 'b'));
    EXPECT_EQ(lines[3], "t");
}

// Literals and skips that the parser joins write what they wrote one by one; a group of
// literals alone is still the group that reversion starts from.
TEST(Format, JoinedLiteralsAndLiteralGroups) {
    EXPECT_EQ(formatRecords("(2X,'a',3X,'b',1X)", {}), Records{"  a   b"});
    EXPECT_EQ(formatRecords("('ab''',2X,'c',I2)", {5}), Records{"ab'  c 5"});
    EXPECT_EQ(formatRecords("(A,2('-'),A)", {"x", "y", "z"}), (Records{"x--y", "--z"}));
    EXPECT_EQ(formatRecords("(3('=',2X))", {}), Records{"=  =  ="});
}

TEST(Format, InternalWriteAndTheDollarConvention) {
    // Internal writes give one buffer of the declared width; "$" marks blanks that the
    // later squeeze keeps.
    EXPECT_EQ(internalWrite(21, "(A7,'(',I10,')$=')", {"UPRINT", 3}), " UPRINT(         3)$=");
    EXPECT_EQ(internalWrite(37, "('in$the$range$',I10,'$to$+INFINITY',1X)", {1}),
              "in$the$range$         1$to$+INFINITY ");
    EXPECT_EQ(internalWrite(5, "(A)", {"abcdefgh"}), "abcde");
    EXPECT_EQ(internalWrite(4, "(37X)", {}), "    ");
}

}  // namespace
}  // namespace zemka

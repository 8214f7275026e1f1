#include <gtest/gtest.h>

#include "FieldSplitter.h"

using namespace trend;
using Fields = std::vector<std::string>;

namespace {

struct SplitCase {
    const char* name;
    FieldSplitter::Mode mode;
    std::string line;
    Fields expected;
};

TEST(FieldSplitter, SplitsLooseAndStrictLines) {
    using M = FieldSplitter::Mode;
    const SplitCase cases[] = {
        {"looseBlankEndsField",
         M::Loose,
         "2021/03/15 08:15:00,12.5",
         {"2021/03/15", "08:15:00", "12.5"}},
        {"looseBlanksAroundComma", M::Loose, "a , b", {"a", "b"}},
        {"looseLeadingBlanksAndTabs", M::Loose, " \t a,b", {"a", "b"}},
        {"looseControlCharacters",
         M::Loose,
         "a\x01\x1f"
         "b",
         {"a", "b"}},
        {"strictKeepsBlanks", M::Strict, " Date Time, PV ,SV", {" Date Time", " PV ", "SV"}},
        {"quotedWithComma", M::Loose, "\"a,b\",c", {"a,b", "c"}},
        {"quotedWithBlankLoose", M::Loose, "\"a b\" c", {"a b", "c"}},
        {"doubledQuote", M::Strict, "\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        {"unterminatedQuote", M::Strict, "\"abc,def", {"abc,def"}},
        {"textAfterQuoteIsAField", M::Strict, "\"ab\"cd,e", {"ab", "cd", "e"}},
        {"twoCommas", M::Strict, "a,,b", {"a", "", "b"}},
        {"twoCommasLoose", M::Loose, "a,,b", {"a", "", "b"}},
        {"trailingComma", M::Loose, "a,b,", {"a", "b", ""}},
        {"trailingCommaThenBlankLoose", M::Loose, "a, ", {"a"}},
        {"trailingCommaThenBlankStrict", M::Strict, "a, ", {"a", " "}},
        {"emptyLine", M::Loose, "", {}},
        {"emptyLineStrict", M::Strict, "", {}},
        {"onlyBlanksLoose", M::Loose, "   ", {}},
        {"onlyBlanksStrict", M::Strict, "  ", {"  "}},
        {"nulEndsTheLine", M::Strict, std::string("a,b\0,c", 6), {"a", "b"}},
        {"carriageReturnIsBlankWhenLoose", M::Loose, "a,b\r", {"a", "b"}},
    };
    for (const auto& c : cases) {
        FieldSplitter splitter;
        splitter.setMode(c.mode);
        EXPECT_EQ(splitter.split(c.line), c.expected) << c.name;
    }
}

}  // namespace

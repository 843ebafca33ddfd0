#include <gtest/gtest.h>

#include "tabs/core/tab_search.h"

namespace dlk {
namespace {

TEST(TabStripLogicTest, AcceleratorIsTheUnderlinedLetterLatinInEitherCase) {
    struct Case {
        const char* caption;
        char32_t typed;
        bool selects;
    };
    const Case cases[] = {{"&Save", U's', true},   {"&save", U'S', true},   {"Д&атчик", U'А', false},
                          {"Д&атчик", U'а', true}, {"&&only", U'o', false}, {"Two\r\n&lines", U'l', true},
                          {"end&", U'&', false}};
    for (const Case& c : cases)
        EXPECT_EQ(AcceleratorMatches(AcceleratorChar(c.caption), c.typed), c.selects) << c.caption;
}

}  // namespace
}  // namespace dlk

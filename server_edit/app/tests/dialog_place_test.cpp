#include <gtest/gtest.h>

#include "server_edit/app/form_parts.h"

namespace dlk::server_edit {
namespace {

TEST(CentreOver, CentresOuterSizesAndTruncatesTowardZero) {
    const DialogPlace place = CentreOver(472, 336, 640, 418, 310, 203);
    EXPECT_EQ(place.Left, 472 + 165);
    EXPECT_EQ(place.Top, 336 + 107);  // 215 / 2
    // A dialog larger than the window: the odd half-pixel goes toward zero.
    const DialogPlace over = CentreOver(0, 0, 100, 100, 301, 101);
    EXPECT_EQ(over.Left, -100);
    EXPECT_EQ(over.Top, 0);
}

}  // namespace
}  // namespace dlk::server_edit

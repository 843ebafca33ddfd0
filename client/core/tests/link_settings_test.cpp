#include "client/core/link_settings.h"

#include <gtest/gtest.h>

namespace dlk::client {
namespace {

TEST(LinkSettings, DefaultsAreThoseOfAFirstStart) {
    const LinkSettings s;
    EXPECT_EQ(s.LocalPort, 1025);
    EXPECT_EQ(s.ClientMode, 0);
    EXPECT_EQ(s.ClientId.Text(), "none");
    EXPECT_EQ(s.ClientPassword.Text(), "");
    EXPECT_EQ(s.ServerPort, 1024);
    EXPECT_EQ(s.PingPeriod, 5);
    EXPECT_EQ(s.NullModemMode, 0);
    EXPECT_EQ(s.OneModemActive, 1);
}

}  // namespace
}  // namespace dlk::client

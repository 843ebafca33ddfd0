#include "server_edit/core/port_text.h"

#include <gtest/gtest.h>

namespace dlk::server_edit {
namespace {

TEST(PortText, OnlyPortsFrom1024To65535AreStored) {
    for (int port : {1024, 8000, 65535}) EXPECT_TRUE(IsServerPort(port)) << port;
    for (int port : {1023, 0, -1, 65536, 70000, -64536}) EXPECT_FALSE(IsServerPort(port)) << port;
}

}  // namespace
}  // namespace dlk::server_edit

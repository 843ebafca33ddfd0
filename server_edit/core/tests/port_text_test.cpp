#include "core/port_text.h"

#include <gtest/gtest.h>

namespace dlk {
namespace {

using Kind = PortText::Kind;

TEST(PortText, PortsInRangeAreRead) {
    EXPECT_EQ(ReadPortText("1024").port, 1024);
    EXPECT_EQ(ReadPortText("65535").port, 65535);
    EXPECT_EQ(ReadPortText("+8000").port, 8000);
    EXPECT_EQ(ReadPortText("008000").kind, Kind::Port);
}

TEST(PortText, NumbersOutsideTheRangeAreRefusedNotWrapped) {
    for (const char* text : {"70000", "1023", "0", "-1", "-64536", "65536", "2147483647", "-2147483648"}) {
        EXPECT_EQ(ReadPortText(text).kind, Kind::OutOfRange) << text;
    }
}

TEST(PortText, AnythingButASignedDecimalIsNoInteger) {
    for (const char* text : {"", "+", "-", " 8000", "8000 ", "80a0", "0x1F90", "8.0", "2147483648", "99999999999"}) {
        EXPECT_EQ(ReadPortText(text).kind, Kind::NotInteger) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace dlk

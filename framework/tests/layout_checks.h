#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/controls/control.h"

namespace dlk::testing {

// Every control, hidden ones included, lies wholly inside its parent's client
// area, so nothing of a fixed layout is cut off in the font it is drawn with.
inline void ExpectEverythingInside(const TControl& parent, const std::string& path) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        const TControl& c = *parent.Controls(i);
        const std::string name = path + "." + c.Name();
        EXPECT_GE(c.Left(), 0) << name;
        EXPECT_GE(c.Top(), 0) << name;
        EXPECT_LE(c.Left() + c.Width(), parent.ClientWidth()) << name;
        EXPECT_LE(c.Top() + c.Height(), parent.ClientHeight()) << name;
        ExpectEverythingInside(c, name);
    }
}

}  // namespace dlk::testing

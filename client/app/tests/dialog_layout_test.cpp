#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "client/app/unit2.h"
#include "client/app/unit3.h"
#include "framework/tests/layout_checks.h"
#include "framework/tests/qt_test_app.h"

namespace dlk::client {
namespace {

using dlk::testing::ExpectEverythingInside;

TEST(ClientDialogLayout, EveryLabelAndFieldFitsItsDialog) {
    dlk::testing::EnsureApplication();
    auto owner = std::make_unique<TForm>(nullptr);
    TForm2 settings(owner.get());
    TForm3 properties(owner.get());
    ExpectEverythingInside(settings, "TForm2");
    ExpectEverythingInside(properties, "TForm3");
}

}  // namespace
}  // namespace dlk::client

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>
#include <memory>
#include <string>

#include "framework/controls/std_controls.h"
#include "framework/tests/layout_checks.h"
#include "server_edit/app/tests/qt_app.h"
#include "server_edit/app/unit1.h"
#include "server_edit/app/unit2.h"
#include "server_edit/app/unit3.h"
#include "server_edit/app/unit4.h"
#include "server_edit/core/account_files.h"
#include "server_edit/core/tests/account_fixtures.h"

namespace dlk::server_edit {
namespace {

using dlk::testing::ExpectEverythingInside;

TEST(DialogLayout, EveryLabelAndFieldFitsItsDialog) {
    dlk::testing::EnsureApplication();
    auto owner = std::make_unique<TForm>(nullptr);
    TForm2 client(owner.get());
    TForm3 modem(owner.get());
    TForm4 port(owner.get());
    ExpectEverythingInside(client, "TForm2");
    ExpectEverythingInside(modem, "TForm3");
    ExpectEverythingInside(port, "TForm4");
}

TEST(DialogLayout, AFullImeiFitsItsColumnUncut) {
    dlk::testing::EnsureApplication();
    dlk::testing::TempFolder folder;
    folder.Write(kModemsFileName,
                 testing::Concat({testing::MakeModem(1, *TextToImei("888888888888888"), "m", "id").Bytes}));
    TForm1 form(nullptr, folder.path());
    auto* table = static_cast<QTableWidget*>(form.ListView2->Widget());
    const int column = table->horizontalHeader()->sectionSize(1);
    ASSERT_EQ(column, 110);
    const int margin = table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
    EXPECT_LE(QFontMetrics(table->font()).horizontalAdvance(QStringLiteral("888888888888888")) + 2 * margin, column);
}

}  // namespace
}  // namespace dlk::server_edit

#include "tabs/tests/page_control_fixture.h"

namespace dlk::testing {
namespace {

constexpr const char* kTwoSites = R"(
Form1 : TForm {
  ClientWidth = 500
  ClientHeight = 300
  Left : TRecordingPageControl { Align = alLeft  Width = 250  ActivePage = @Home
    Home : TKtTabSheet { Caption = "Дом" }
  }
  Right : TRecordingPageControl { Align = alClient  ActivePage = @Away
    Away : TKtTabSheet { Caption = "Там" }
  }
}
)";

struct DockingTest : PageControlTest {
    void SetUp() override {
        PageControlTest::SetUp();
        left = &Read(kTwoSites, "Left");
        right = FindRequired<TRecordingPageControl>(*form, "Right");
        left->SetDockSite(true);
        right->SetDockSite(true);
        client = std::make_unique<TForm>(nullptr);
        client->SetCaption("Журнал\r\nсобытий");
        client->SetBounds(300, 300, 120, 80);
        client->Show();
    }
    void TearDown() override {
        client.reset();
        form.reset();
        QCoreApplication::processEvents();  // the floating windows go
    }
    void DockInto(TKtPageControl& site) const {
        TDragDockObject drop;
        drop.Control = client.get();
        drop.DockRect = Bounds(0, 0, 120, 80);
        site.DockDrop(drop, 10, 10);
    }
    TRecordingPageControl* left = nullptr;
    TRecordingPageControl* right = nullptr;
    std::unique_ptr<TForm> client;
};

TEST_F(DockingTest, ADockedFormHasAPageThatFollowsIt) {
    DockInto(*left);
    ASSERT_EQ(left->PageCount(), 2);
    TKtTabSheet* page = left->Pages(1);
    EXPECT_EQ(page->Caption(), "Журнал\r\nсобытий");  // taken whole when docked
    EXPECT_EQ(left->ActivePage(), page);
    EXPECT_EQ(client->Parent(), page);
    EXPECT_EQ(client->Align(), TAlign::alClient);
    EXPECT_EQ(HostDockSite(*client), left);
    EXPECT_EQ(left->NewDockPage(), nullptr);

    const std::function<void()> steps[] = {[&] { client->SetCaption("Новый\nзаголовок"); }, [&] { client->Hide(); },
                                           [&] { client->Show(); }};
    const bool tabVisible[] = {true, false, true};
    for (int i = 0; i < 3; ++i) {
        steps[i]();
        EXPECT_EQ(page->Caption(), "Новый") << i;  // cut at the line break
        EXPECT_EQ(page->TabVisible(), tabVisible[i]) << i;
    }
    // Undocked to float: the page goes, the next one is selected.
    FloatControl(*client, Bounds(50, 50, 120, 80));
    EXPECT_EQ(left->PageCount(), 1);
    EXPECT_EQ(left->Active(), "Home");
    EXPECT_EQ(HostDockSite(*client), nullptr);
    ASSERT_NE(FloatingHost(*client), nullptr);
    EXPECT_EQ(client->Parent(), FloatingHost(*client));
    EXPECT_EQ(client->Align(), TAlign::alNone);

    // The window holding the site cannot go inside one of its pages: the
    // new page is freed and the error goes on.
    TDragDockObject drop;
    drop.Control = form.get();
    EXPECT_THROW(left->DockDrop(drop, 0, 0), EPropertyError);
    EXPECT_EQ(left->PageCount(), 1);
    EXPECT_EQ(left->NewDockPage(), nullptr);
    EXPECT_EQ(HostDockSite(*form), nullptr);
}

TEST_F(DockingTest, DraggingADockedControlsTabTakesItToAnotherSite) {
    ShowActive();
    DockInto(*left);
    const QPoint tab = TabCentre(*left, 1);
    QTest::mousePress(Window(), Qt::LeftButton, {}, tab);
    ASSERT_NE(DockDragInProgress(), nullptr);
    QTest::mouseMove(Window(), tab + QPoint(kDockDragThreshold - 1, 0));  // not yet a drag
    EXPECT_EQ(DockDragInProgress()->DragTarget, nullptr);
    QTest::mouseMove(Window(), QPoint(300, 150));
    EXPECT_EQ(DockDragInProgress()->DragTarget, right);
    const TPoint origin = right->ClientToScreen(Point(0, 0));
    EXPECT_EQ(DockDragInProgress()->DockRect, Bounds(origin.X, origin.Y, right->Width(), right->Height()));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, QPoint(300, 150));

    EXPECT_EQ(DockDragInProgress(), nullptr);
    EXPECT_EQ(HostDockSite(*client), right);
    EXPECT_EQ(left->PageCount(), 1);
    ASSERT_EQ(right->PageCount(), 2);
    EXPECT_EQ(client->Parent(), right->Pages(1));
    EXPECT_EQ(right->ActivePage(), right->Pages(1));

    // A double click on its tab there floats it.
    QTest::mouseDClick(Window(), Qt::LeftButton, {}, TabCentre(*right, 1));
    EXPECT_EQ(right->PageCount(), 1);
    EXPECT_NE(FloatingHost(*client), nullptr);
}

}  // namespace
}  // namespace dlk::testing

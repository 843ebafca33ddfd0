#include "framework/controls/image_list.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

class ImageListTest : public ::testing::Test {
protected:
    void SetUp() override { testing::EnsureApplication(); }
    // A strip of count pictures of 4 x 4, picture i filled with colours[i].
    static QImage Strip(std::initializer_list<QRgb> colours) {
        QImage strip(4 * int(colours.size()), 4, QImage::Format_RGB32);
        int i = 0;
        for (QRgb c : colours) {
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) strip.setPixel(i * 4 + x, y, c);
            ++i;
        }
        return strip;
    }
};

// A user of a list, as menus and tab controls are: it reads the list when told
// that it goes.
class ListUser : public TComponent {
public:
    explicit ListUser(TImageList* list) : TComponent(nullptr), list_(list) { FreeNotification(list); }
    void Notification(TComponent* c, TOperation op) override {
        if (op == TOperation::opRemove && c == list_) {
            count_when_told = list_->Count();
            pixel_when_told = list_->Image(0).pixel(0, 0);
            list_ = nullptr;
        }
    }
    int count_when_told = -1;
    QRgb pixel_when_told = 0;

private:
    TImageList* list_;
};

TEST_F(ImageListTest, StripsAreCutIntoPicturesOfTheListsSize) {
    TImageList list(nullptr);
    list.SetSize(4, 4);
    EXPECT_EQ(list.Add(Strip({qRgb(255, 0, 0), qRgb(0, 0, 255)})), 0);
    EXPECT_EQ(list.AddMasked(Strip({qRgb(0, 255, 0)}), clLime), 2);
    EXPECT_EQ(list.Add(QImage()), -1);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Image(1).size(), QSize(4, 4));
    EXPECT_EQ(list.Image(1).pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(list.Image(2).pixel(0, 0)), 0);  // the mask colour is transparent
    EXPECT_TRUE(list.Image(3).isNull());
    list.Delete(0);
    EXPECT_EQ(list.Image(0).pixel(0, 0), qRgb(0, 0, 255));
    list.SetSize(8, 8);  // a new size empties the list
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(ImageListTest, DrawsInColourOrGreyed) {
    TImageList list(nullptr);
    list.SetSize(4, 4);
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(1, 1, qRgb(0, 0, 0));
    picture.setPixel(2, 1, qRgb(255, 255, 255));  // white: no part of the greyed shape
    picture.setPixel(2, 2, qRgb(200, 0, 0));
    list.Add(picture);

    QImage target(8, 8, QImage::Format_RGB32);
    TCanvas canvas(&target);
    struct Case {
        bool enabled;
        TPoint pixel;
        TColor expected;
    } const cases[] = {
        {true, {3, 3}, clBlack},         {true, {4, 3}, clWhite},      {true, {4, 4}, RGB(200, 0, 0)},
        {true, {3, 4}, clSilver},        {false, {3, 3}, clBtnShadow}, {false, {4, 4}, clBtnShadow},
        {false, {5, 5}, clBtnHighlight}, {false, {4, 3}, clSilver},    {false, {5, 4}, clSilver},
        {false, {3, 4}, clSilver},       {false, {2, 2}, clSilver},    {false, {6, 6}, clSilver},
    };
    for (const Case& c : cases) {
        target.fill(QColor(192, 192, 192));
        list.Draw(canvas, 2, 2, 0, c.enabled);
        EXPECT_EQ(canvas.Pixel(c.pixel.X, c.pixel.Y), ColorToRGB(c.expected))
            << (c.enabled ? "enabled " : "greyed ") << c.pixel.X << "," << c.pixel.Y;
    }
    target.fill(Qt::white);
    list.Draw(canvas, 0, 0, 5);  // no such picture: nothing
    EXPECT_EQ(canvas.Pixel(1, 1), clWhite);
}

TEST_F(ImageListTest, ChangesReachEveryRegisteredLink) {
    TImageList list(nullptr);
    int first = 0;
    int second = 0;
    TChangeLink a;
    a.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++first;
    };
    auto b = std::make_unique<TChangeLink>();
    b->OnChange = [&](TObject*) { ++second; };
    list.RegisterChanges(&a);
    list.RegisterChanges(b.get());
    EXPECT_EQ(a.Sender(), &list);

    list.Add(Strip({qRgb(1, 2, 3)}));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
    b.reset();  // a link that dies leaves the list
    list.Clear();
    EXPECT_EQ(first, 2);
    list.UnRegisterChanges(&a);
    EXPECT_EQ(a.Sender(), nullptr);
    list.Add(Strip({qRgb(1, 2, 3)}));
    EXPECT_EQ(first, 2);
}

TEST_F(ImageListTest, UsersAreToldWhileTheListIsStillWhole) {
    auto* list = new TImageList(nullptr);
    list->SetSize(4, 4);
    list->Add(Strip({qRgb(10, 20, 30), qRgb(40, 50, 60)}));
    ListUser user(list);
    auto link = std::make_unique<TChangeLink>();
    int changes = 0;
    link->OnChange = [&](TObject*) { ++changes; };
    list->RegisterChanges(link.get());
    delete list;
    EXPECT_EQ(user.count_when_told, 2);
    EXPECT_EQ(user.pixel_when_told, qRgb(10, 20, 30));
    EXPECT_EQ(link->Sender(), nullptr);  // let go of, and not told of a change
    EXPECT_EQ(changes, 0);
    link.reset();  // a link outliving its list dies quietly
}

}  // namespace
}  // namespace dlk

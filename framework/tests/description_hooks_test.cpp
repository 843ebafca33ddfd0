#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/components/description_reader.h"
#include "framework/components/description_writer.h"
#include "framework/components/properties.h"
#include "framework/controls/control_properties.h"
#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

std::vector<std::string> events;

// A page as the tab library has them: it attaches itself in ReadState,
// fills its parent unless told otherwise, its Visible is for the page
// control alone and its bounds are the page control's to set, so neither
// is stored; Columns and Wrap show the rows built
// from member pointers.
class TPageProbe : public TCustomControl {
    DLK_COMPONENT(TPageProbe)
public:
    explicit TPageProbe(TComponent* owner) : TCustomControl(owner) { SetAlign(TAlign::alClient); }
    int Columns() const { return columns_; }
    void SetColumns(int v) { columns_ = v; }
    bool Wrap = false;
    std::string Note = "-";
    TComponent* ReaderParent = nullptr;
    bool WindowShownAtLoaded = true;

    void ReadState(TReader& reader) override {
        ReaderParent = reader.Parent();
        TCustomControl::ReadState(reader);
        events.push_back(Name() + " read, parent " + (Parent() ? Parent()->Name() : "-"));
    }
    void Loaded() override {
        TCustomControl::Loaded();
        WindowShownAtLoaded = GetParentForm(this)->Widget()->isVisible();
        events.push_back(Name() + " loaded");
    }

private:
    int columns_ = 1;
};

const ClassInfo& TPageProbe::StaticClass() {
    using T = TPageProbe;
    static const ClassInfo info("TPageProbe", &TCustomControl::StaticClass(), Creator<T>(),
                                {
                                    prop::Int<T>("Columns", &T::Columns, &T::SetColumns, 1),
                                    prop::Bool<T>("Wrap", &T::Wrap),
                                    prop::String<T>("Note", &T::Note, "-"),
                                },
                                {
                                    prop::NotStored("Visible"),
                                    prop::NotStored("Left"),
                                    prop::NotStored("Top"),
                                    prop::NotStored("Width"),
                                    prop::NotStored("Height"),
                                    prop::Default("Align", StoredValue::Ident("alClient")),
                                });
    return info;
}
DLK_REGISTER_CLASS(TPageProbe);

class DescriptionHooksTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureApplication();
        events.clear();
    }
};

TEST_F(DescriptionHooksTest, ReadStateSeesTheReadersParentAndTheWindowShowsAfterEveryLoaded) {
    TForm form(nullptr);
    ReadComponent(form, R"(
Form1 : TForm {
  Visible = True
  Panel1 : TPanel {
    Page1 : TPageProbe { Columns = 3 }
  }
  Page2 : TPageProbe { Align = alNone  Left = 7 }    # not stored, still read
}
)",
                  "pages.form");
    auto* page1 = FindRequired<TPageProbe>(form, "Page1");
    auto* page2 = FindRequired<TPageProbe>(form, "Page2");
    EXPECT_EQ(page1->ReaderParent, FindRequired<TPanel>(form, "Panel1"));
    EXPECT_EQ(page2->ReaderParent, &form);
    EXPECT_EQ(events, (std::vector<std::string>{"Page1 read, parent Panel1", "Page2 read, parent Form1", "Page1 loaded",
                                                "Page2 loaded"}));
    EXPECT_FALSE(page1->WindowShownAtLoaded);
    EXPECT_FALSE(page2->WindowShownAtLoaded);
    EXPECT_TRUE(form.Widget()->isVisible());
    EXPECT_EQ(page2->Left(), 7);
    EXPECT_THROW(FindRequired<TEdit>(form, "Page1"), EComponentError);
}

TEST_F(DescriptionHooksTest, ADerivedClassDecidesWhatOfItsBaseIsStored) {
    struct Case {
        const char* name;
        std::function<void(TPageProbe&)> change;
        std::string stored;  // what the page writes of itself
    };
    const std::vector<Case> cases = {
        {"as created", [](TPageProbe&) {}, ""},
        {"hidden", [](TPageProbe& p) { p.Hide(); }, ""},
        {"the base's default is not this class's", [](TPageProbe& p) { p.SetAlign(TAlign::alNone); },
         "    Align = alNone\n"},
        {"member-pointer rows",
         [](TPageProbe& p) {
             p.SetColumns(4);
             p.Wrap = true;
             p.Note = "";
         },
         "    Columns = 4\n    Wrap = True\n    Note = \"\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm form(nullptr);
        ReadComponent(form, "Form1 : TForm { ClientWidth = 200  ClientHeight = 100 }", "empty.form");
        auto* page = new TPageProbe(&form);
        page->SetName("Page1");
        page->SetParent(&form);
        c.change(*page);
        const std::string text = WriteComponent(form);
        EXPECT_NE(text.find("  Page1 : TPageProbe {\n" + c.stored + "  }\n"), std::string::npos) << text;

        // What was written reads back to the same page.
        TForm again(nullptr);
        ReadComponent(again, text, "written.form");
        EXPECT_EQ(WriteComponent(again), text);
    }
}

}  // namespace
}  // namespace dlk

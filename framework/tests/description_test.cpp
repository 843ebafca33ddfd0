#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/components/description_reader.h"
#include "framework/components/description_writer.h"
#include "framework/components/properties.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

std::vector<std::string> journal;

// A component that writes down everything done to it.
class TProbe : public TComponent {
    DLK_COMPONENT(TProbe)
public:
    explicit TProbe(TComponent* owner) : TComponent(owner) {}
    int Value = 0;
    std::string Text;
    TProbe* Peer = nullptr;
    int FixedDimension = 0;
    std::vector<TProbe*> Children;
    TProbe* ParentProbe = nullptr;
    int LoadedCalls = 0;

    void Loaded() override {
        TComponent::Loaded();
        ++LoadedCalls;
        journal.push_back(Name() + ".Loaded peer=" + (Peer ? Peer->Name() : "-"));
    }
    void DefineProperties(TFiler& filer) override {
        filer.DefineProperty(
            "FixedDimension",
            [this](const StoredValue& v) {
                FixedDimension = int(v.Integer);
                journal.push_back(Name() + ".FixedDimension");
            },
            [this]() -> std::optional<StoredValue> {
                if (FixedDimension == 0) return std::nullopt;
                return StoredValue::Int(FixedDimension);
            });
    }
    void SetParentComponent(TComponent* parent) override {
        ParentProbe = dynamic_cast<TProbe*>(parent);
        if (ParentProbe != nullptr) ParentProbe->Children.push_back(this);
    }
    TComponent* GetParentComponent() const override { return ParentProbe; }
    void GetChildren(const std::function<void(TComponent*)>& visit, TComponent*) const override {
        for (TProbe* c : Children) visit(c);
    }
};

const ClassInfo& TProbe::StaticClass() {
    using T = TProbe;
    static const ClassInfo info("TProbe", &TComponent::StaticClass(), Creator<T>(),
                                {
                                    prop::Int<T>(
                                        "Value", [](const T& c) { return c.Value; },
                                        [](T& c, std::int64_t v) {
                                            c.Value = int(v);
                                            journal.push_back(c.Name() + ".Value=" + std::to_string(v));
                                        }),
                                    prop::String<T>(
                                        "Text", [](const T& c) { return c.Text; },
                                        [](T& c, const std::string& v) {
                                            c.Text = v;
                                            journal.push_back(c.Name() + ".Text");
                                        }),
                                    prop::Reference<T, TProbe>(
                                        "Peer", [](const T& c) { return c.Peer; },
                                        [](T& c, TProbe* p) {
                                            c.Peer = p;
                                            journal.push_back(c.Name() + ".Peer=" + p->Name());
                                        }),
                                });
    return info;
}
DLK_REGISTER_CLASS(TProbe);

class DescriptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureApplication();
        journal.clear();
    }
};

constexpr const char* kWindow = R"(# a window
Form1 : TProbe {
  Value = 3
  Peer = @Inner        # refers ahead: resolved after reading
  Outer : TProbe {
    Text = "line\rnext \"quoted\" \\"
    Value = -7
    Inner : TProbe {
      FixedDimension = 19
      Value = 0x10
    }
  }
}
)";

TEST_F(DescriptionTest, ReadsNestedComponentsInStoredOrderThenResolvesAndLoads) {
    TProbe root(nullptr);
    ReadComponent(root, kWindow, "unit1.form");

    auto* outer = FindOwned<TProbe>(root, "Outer");
    auto* inner = FindOwned<TProbe>(root, "inner");  // names compare without case
    ASSERT_NE(outer, nullptr);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Owner(), &root);
    EXPECT_EQ(inner->ParentProbe, outer);
    EXPECT_EQ(root.Peer, inner);
    EXPECT_EQ(outer->Text, "line\rnext \"quoted\" \\");
    EXPECT_EQ(outer->Value, -7);
    EXPECT_EQ(inner->Value, 16);
    EXPECT_EQ(inner->FixedDimension, 19);

    const std::vector<std::string> expected = {"Form1.Value=3",           "Outer.Text",          "Outer.Value=-7",
                                               "Inner.FixedDimension",    "Inner.Value=16",      "Form1.Peer=Inner",
                                               "Form1.Loaded peer=Inner", "Outer.Loaded peer=-", "Inner.Loaded peer=-"};
    EXPECT_EQ(journal, expected);
    for (TProbe* p : {&root, outer, inner}) {
        EXPECT_EQ(p->LoadedCalls, 1);
        EXPECT_FALSE(p->IsLoading());
        EXPECT_FALSE(p->IsReading());
    }
}

TEST_F(DescriptionTest, WrittenDescriptionReadsBackTheSameTree) {
    TProbe first(nullptr);
    ReadComponent(first, kWindow, "unit1.form");
    const std::string text = WriteComponent(first);

    TProbe second(nullptr);
    ReadComponent(second, text, "written");
    EXPECT_EQ(WriteComponent(second), text);
    EXPECT_NE(text.find("FixedDimension = 19"), std::string::npos);
    EXPECT_NE(text.find("Peer = @Inner"), std::string::npos);
    EXPECT_EQ(FindOwned<TProbe>(second, "Outer")->Text, "line\rnext \"quoted\" \\");
}

// The line each faulty description fails on, and a word of its message.
struct BadDescription {
    const char* text;
    int line;
    const char* says;
};

TEST_F(DescriptionTest, ErrorsNameTheFileAndLine) {
    const BadDescription cases[] = {
        {"F : TProbe {\n  Colour = 1\n}", 2, "has no property Colour"},
        {"F : TProbe {\n\n  X : TNoSuchClass { }\n}", 3, "unknown class TNoSuchClass"},
        {"F : TProbe {\n  Peer = @Nobody\n}", 2, "no component named Nobody"},
        {"F : TProbe {\n  Value = \"three\"\n}", 2, "whole number"},
        {"F : TProbe {\n  Text = \"open\n}", 2, "unterminated string"},
        {"F : TProbe {\n  A : TProbe { }\n  A : TProbe { }\n}", 3, "a second component named A"},
        {"F : TProbe {\n  Value = 1\n", 3, "missing '}'"},
        {"F : TProbe {\n  Value = 99999999999\n}", 2, "too large"},
    };
    for (const BadDescription& c : cases) {
        TProbe root(nullptr);
        try {
            ReadComponent(root, c.text, "bad.form");
            ADD_FAILURE() << "read without error: " << c.text;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what();
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("bad.form:" + std::to_string(c.line) + ": ", 0), 0u) << message;
            EXPECT_NE(message.find(c.says), std::string::npos) << message;
        }
    }
}

TEST_F(DescriptionTest, MissingResourceIsAReadError) {
    TProbe root(nullptr);
    EXPECT_THROW(ReadComponentResource(root, ":/no/such/window.form"), EReadError);
}

}  // namespace
}  // namespace dlk

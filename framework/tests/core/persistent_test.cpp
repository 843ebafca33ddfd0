#include "framework/core/persistent.h"

#include <gtest/gtest.h>

#include "framework/core/list_error.h"
#include "framework/core/str_to_int.h"

namespace dlk {
namespace {

struct Value : TPersistent {
    int x = 0;
    void Assign(const TPersistent& source) override {
        if (auto* v = dynamic_cast<const Value*>(&source)) return void(x = v->x);
        TPersistent::Assign(source);
    }
    const char* ClassName() const override { return "TValue"; }
};

// Fills a Value, which knows nothing of it; anything else it cannot fill.
struct Filler : TPersistent {
    const char* ClassName() const override { return "TFiller"; }
    void AssignTo(TPersistent& dest) const override {
        if (auto* v = dynamic_cast<Value*>(&dest)) return void(v->x = 42);
        TPersistent::AssignTo(dest);
    }
};

TEST(PersistentTest, TargetFirstThenSourceThenTheAssignmentError) {
    Value a, b;
    b.x = 7;
    a.Assign(b);
    EXPECT_EQ(a.x, 7);
    a.Assign(Filler());
    EXPECT_EQ(a.x, 42);
    Filler filler;
    struct Case {
        TPersistent* target;
        const TPersistent* source;
        const char* message;
    };
    for (const Case& c : {Case{&filler, &a, "Cannot assign a TValue to a TFiller"},
                          Case{&filler, &filler, "Cannot assign a TFiller to a TFiller"}}) {
        try {
            c.target->Assign(*c.source);
            ADD_FAILURE() << c.message;
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    try {
        ListIndexError(-3);
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-3)");
    }
}

}  // namespace
}  // namespace dlk

#include "framework/base/persistent.h"

#include <gtest/gtest.h>

#include "framework/base/list_error.h"
#include "framework/text/str_to_int.h"

namespace dlk {
namespace {

class Point3 : public TPersistent {
public:
    int x = 0;
    void Assign(const TPersistent& source) override {
        if (auto* p = dynamic_cast<const Point3*>(&source)) {
            x = p->x;
            return;
        }
        TPersistent::Assign(source);
    }
    const char* ClassName() const override { return "TPoint3"; }
};

// Knows how to fill a Point3, which knows nothing of it.
class Filler : public TPersistent {
public:
    const char* ClassName() const override { return "TFiller"; }

protected:
    void AssignTo(TPersistent& dest) const override {
        if (auto* p = dynamic_cast<Point3*>(&dest)) {
            p->x = 42;
            return;
        }
        TPersistent::AssignTo(dest);
    }
};

class Stranger : public TPersistent {
public:
    const char* ClassName() const override { return "TStranger"; }
};

TEST(PersistentTest, AssignGoesToTheTargetFirstThenToTheSource) {
    Point3 a, b;
    b.x = 7;
    a.Assign(b);
    EXPECT_EQ(a.x, 7);
    a.Assign(Filler());
    EXPECT_EQ(a.x, 42);
}

TEST(PersistentTest, UnrelatedClassesRaiseTheAssignmentErrorNamingBoth) {
    struct Case {
        TPersistent* target;
        const TPersistent* source;
        const char* message;
    };
    Point3 point;
    Stranger stranger;
    Filler filler;
    for (const Case& c : {Case{&point, &stranger, "Cannot assign a TStranger to a TPoint3"},
                          Case{&stranger, &point, "Cannot assign a TPoint3 to a TStranger"},
                          Case{&stranger, &filler, "Cannot assign a TFiller to a TStranger"}}) {
        try {
            c.target->Assign(*c.source);
            ADD_FAILURE() << c.message;
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_EQ(point.x, 0);
}

TEST(PersistentTest, ListIndexErrorNamesTheIndex) {
    try {
        ListIndexError(-3);
        ADD_FAILURE() << "no error";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-3)");
    }
}

}  // namespace
}  // namespace dlk

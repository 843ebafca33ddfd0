#pragma once

namespace dlk {

class TObject {
public:
    virtual ~TObject() = default;
};

// An object whose state can be copied from another object, possibly of an
// unrelated class: Assign first lets the source fill this object through its
// AssignTo, and a pair of classes that knows nothing of each other ends in the
// assignment error (EConvertError "Cannot assign a <source> to a <target>").
class TPersistent : public TObject {
public:
    TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;

    // Override for the sources this class understands; pass the rest on to
    // the base class's Assign.
    virtual void Assign(const TPersistent& source);
    virtual const char* ClassName() const { return "TPersistent"; }

protected:
    // Override for the destinations this class can fill; pass the rest on.
    virtual void AssignTo(TPersistent& dest) const;
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

}  // namespace dlk

#pragma once
// The roots of the class tree: every object knows its class name; persistent objects can be
// assigned to each other.
#include <string>

namespace ui {

class TObject {
public:
    virtual ~TObject() = default;
    virtual std::u16string ClassName() const { return u"TObject"; }
};

class TPersistent : public TObject {
public:
    std::u16string ClassName() const override { return u"TPersistent"; }
    // Copies Source into this object; a class that does not know Source lets Source try AssignTo.
    virtual void Assign(const TPersistent* Source);

protected:
    // Copies this object into Dest; the base refuses with the conversion error.
    virtual void AssignTo(TPersistent* Dest) const;
    // Raises "%s kann nicht zu %s zugewiesen werden" for Source (or nil) and this class.
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};

}  // namespace ui

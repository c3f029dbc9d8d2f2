#include "ui/Object.h"

#include "ui/Exceptions.h"

namespace ui {

void TPersistent::Assign(const TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
    throw EConvertError(FormatText(u"%s kann nicht zu %s zugewiesen werden",
                                   {Source ? Source->ClassName() : u"nil", ClassName()}));
}

}  // namespace ui

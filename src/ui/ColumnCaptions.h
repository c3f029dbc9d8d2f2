#pragma once
// Controls with captioned columns (a list view in report style), reached by position, so that
// texts from a language library can caption them one number after the other.
#include <string>

namespace ui {

class TColumnCaptions {
public:
    virtual ~TColumnCaptions() = default;
    virtual int ColumnCaptionCount() const = 0;
    virtual void SetColumnCaption(int index, const std::u16string& caption) = 0;
};

}  // namespace ui

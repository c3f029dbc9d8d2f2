#pragma once
// Error numbers recorded instead of raised: the library manager keeps its outcome in one.
#include <string>

#include "ui/Object.h"

namespace framework {

class TError : public ui::TObject {
public:
    std::u16string ClassName() const override { return u"TError"; }
    int Number() const { return FNumber; }
    void SetNumber(int number) { FNumber = number; }

    virtual void MakeError(bool iserr, int errcode) = 0;
    virtual std::u16string ErrorInfo(int errcode) = 0;
    virtual std::u16string LastErrorInfo() = 0;

protected:
    int FNumber = 0;
};

// Numbers of a library manager's outcome.
constexpr int leNone = 0;
constexpr int leNotLoaded = 1;
constexpr int leLoadFailed = 2;
constexpr int leNoExport = 3;

class TLibraryError : public TError {
public:
    std::u16string ClassName() const override { return u"TLibraryError"; }
    void MakeError(bool iserr, int errcode) override;
    // The program's own text of that number: the program carries no texts of these numbers, so
    // every number gives the empty string.
    std::u16string ErrorInfo(int errcode) override;
    std::u16string LastErrorInfo() override { return ErrorInfo(FNumber); }
};

}  // namespace framework

#include "ui/Application.h"

#include "ui/Backend.h"
#include "ui/Exceptions.h"
#include "util/TextCodec.h"
#include "util/Utils.h"

namespace ui {

TApplication::TApplication() {
    util::SetMessagePump([this] { ProcessMessages(); });
}

TApplication::~TApplication() { util::SetMessagePump(nullptr); }

void TApplication::SetTitle(const std::u16string& title) {
    FTitle = title;
    GetBackend().SetApplicationTitle(title);
}

void TApplication::ProcessMessages() { GetBackend().ProcessMessages(); }

TMsgAnswer TApplication::MessageBox(const std::u16string& text, const std::u16string& caption, TMsgIcon icon,
                                   TMsgButtons buttons) {
    return GetBackend().MessageBox(text, caption, icon, buttons);
}

void TApplication::HandleException(const std::exception& error) {
    if (OnException) {
        OnException(error);
        return;
    }
    const auto* ours = dynamic_cast<const Exception*>(&error);
    MessageBox(ours ? ours->Message() : util::FromUtf8(error.what()), FTitle, TMsgIcon::Error);
}

TApplication& Application() {
    static TApplication application;
    return application;
}

}  // namespace ui

#include "ui/GuardedCall.h"

namespace ui {

void ReportHandlerError(const std::exception& error) noexcept {
    // The report itself may fail (a handler of OnException that throws, no memory for the
    // box's text): there is nowhere further to send that, and the message loop must go on.
    try {
        Application().HandleException(error);
    } catch (...) {
    }
}

}  // namespace ui

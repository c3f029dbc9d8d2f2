#pragma once
// Runs one piece of a widget's message handling so that no error leaves it: what a handler threw
// is reported through the application (OnException, else a message box) and the widget carries
// on. Both backends run every entry into the components through it.
#include <exception>
#include <stdexcept>

#include "ui/Application.h"

namespace ui {

// Reports an error that escaped a handler; never throws itself.
void ReportHandlerError(const std::exception& error) noexcept;

// True when the work ran to its end, false when it threw.
template <class Work>
bool GuardedCall(Work&& work) noexcept {
    try {
        work();
        return true;
    } catch (const std::exception& error) {
        ReportHandlerError(error);
    } catch (...) {
        ReportHandlerError(std::runtime_error("unknown error"));
    }
    return false;
}

}  // namespace ui

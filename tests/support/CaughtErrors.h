#pragma once
// The messages of errors that reach the application (from a widget's notification, a handler),
// caught for one test instead of shown.
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/Exceptions.h"

struct CaughtErrors {
    CaughtErrors() {
        ui::Application().OnException = [this](const std::exception& e) {
            const auto* error = dynamic_cast<const ui::Exception*>(&e);
            Messages.push_back(error ? error->Message() : u"?");
        };
    }
    ~CaughtErrors() { ui::Application().OnException = nullptr; }
    CaughtErrors(const CaughtErrors&) = delete;
    CaughtErrors& operator=(const CaughtErrors&) = delete;
    std::vector<std::u16string> Messages;
};

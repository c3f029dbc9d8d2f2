#pragma once
// The message of the registry error an action raises, or "(no error)".
#include <functional>
#include <string>

#include "framework/Registry.h"

inline std::u16string RegistryErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const framework::ERegistryException& e) {
        return e.Message();
    }
    return u"(no error)";
}

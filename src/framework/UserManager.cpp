#include "framework/UserManager.h"

#include <algorithm>

namespace framework {

namespace {
TUser& CurrentUser() {
    static TUser user;
    return user;
}
const char16_t* const LevelNames[] = {u"Admin", u"LocalAdmin", u"AdminUser", u"StandardUser", u"SimpleUser"};
}  // namespace

TUserLevel UserLevelFromName(const std::u16string& name) {
    for (int i = 0; i < 5; ++i)
        if (name == LevelNames[i]) return static_cast<TUserLevel>(i);
    return ulAdmin;
}

const char16_t* UserLevelName(TUserLevel level) {
    return level >= ulAdmin && level <= ulSimpleUser ? LevelNames[level] : LevelNames[0];
}

TUserLevel UserLevelFromOrdinal(int ordinal) {
    return ordinal >= 1 && ordinal <= 4 ? static_cast<TUserLevel>(ordinal) : ulAdmin;
}

void TUserManager::Changed() {
    if (OnChange) OnChange(const_cast<TUserManager*>(this));
}

TUser TUserManager::User() const { return CurrentUser(); }

void TUserManager::SetUser(const TUser& user) {
    if (user == CurrentUser()) return;
    CurrentUser() = user;
    Changed();
}

std::u16string TUserManager::UserName() const { return CurrentUser().Name; }
TUserLevel TUserManager::UserLevel() const { return CurrentUser().Level; }
std::u16string TUserManager::UserPassword() const { return CurrentUser().Password; }

void TUserManager::SetUserName(const std::u16string& name) {
    if (name == CurrentUser().Name) return;
    CurrentUser().Name = name;
    Changed();
}

void TUserManager::SetUserLevel(TUserLevel level) {
    if (level == CurrentUser().Level) return;
    CurrentUser().Level = level;
    Changed();
}

void TUserManager::SetUserPassword(const std::u16string& password) {
    if (password == CurrentUser().Password) return;
    CurrentUser().Password = password;
    Changed();
}

void TUserManager::SetCtrlLevels(ui::TForm& Form) const {
    const int level = CurrentUser().Level;
    for (int i = 0; i < Form.ComponentCount(); ++i) {
        auto* control = dynamic_cast<ui::TControl*>(Form.Components(i));
        if (!control) continue;
        const auto tag = static_cast<int>(std::clamp<std::intptr_t>(control->Tag(), 0, 4));
        control->SetEnabled(tag >= level);
    }
}

TUserManager& UserManager() {
    static TUserManager manager;
    return manager;
}

}  // namespace framework

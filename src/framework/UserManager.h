#pragma once
// The process-wide user (name, level, password) and the level applied to a form by tags. Nobody
// is authenticated: the password is kept and handed back, never compared.
#include <string>

#include "ui/Control.h"
#include "ui/Form.h"

namespace framework {

// Most privileged first.
enum TUserLevel { ulAdmin, ulLocalAdmin, ulAdminUser, ulStandardUser, ulSimpleUser };

struct TUser {
    std::u16string Name;
    TUserLevel Level = ulAdmin;
    std::u16string Password;
    friend bool operator==(const TUser&, const TUser&) = default;
};

// "Admin" ... "SimpleUser", exact; any other name is ulAdmin.
TUserLevel UserLevelFromName(const std::u16string& name);
const char16_t* UserLevelName(TUserLevel level);
// A stored ordinal: 1 to 4 as they are, anything else ulAdmin.
TUserLevel UserLevelFromOrdinal(int ordinal);

class TUserManager : public ui::TPersistent {
public:
    std::u16string ClassName() const override { return u"TUserManager"; }
    TUser User() const;
    void SetUser(const TUser& user);
    std::u16string UserName() const;
    void SetUserName(const std::u16string& name);
    TUserLevel UserLevel() const;
    void SetUserLevel(TUserLevel level);
    std::u16string UserPassword() const;
    void SetUserPassword(const std::u16string& password);
    // Every control of the form enabled when its Tag (clamped to 0..4) is at least the level.
    void SetCtrlLevels(ui::TForm& Form) const;

    ui::TNotifyEvent OnChange;

private:
    void Changed();
};

TUserManager& UserManager();

}  // namespace framework

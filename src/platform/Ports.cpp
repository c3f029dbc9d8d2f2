#include "platform/Files.h"
#include "platform/ShellIcons.h"
#include "platform/System.h"

namespace platform {

// Each backend folder defines these three; the accessors below only choose between them and a
// replacement that a test installed.
Files& DefaultFiles();
System& DefaultSystem();
ShellIcons& DefaultShellIcons();

namespace {
Files* installedFiles = nullptr;
System* installedSystem = nullptr;
ShellIcons* installedShellIcons = nullptr;

template <class T>
T* Swap(T*& slot, T* replacement) {
    T* previous = slot;
    slot = replacement;
    return previous;
}
}  // namespace

Files& GetFiles() { return installedFiles ? *installedFiles : DefaultFiles(); }
Files* SetFiles(Files* replacement) { return Swap(installedFiles, replacement); }
System& GetSystem() { return installedSystem ? *installedSystem : DefaultSystem(); }
System* SetSystem(System* replacement) { return Swap(installedSystem, replacement); }
ShellIcons& GetShellIcons() { return installedShellIcons ? *installedShellIcons : DefaultShellIcons(); }
ShellIcons* SetShellIcons(ShellIcons* replacement) { return Swap(installedShellIcons, replacement); }

}  // namespace platform

#include "platform/Files.h"
#include "platform/Modules.h"
#include "platform/Registry.h"
#include "platform/ShellIcons.h"
#include "platform/ShellNamespace.h"
#include "platform/ShellOperations.h"
#include "platform/System.h"

namespace platform {

// Each backend folder defines these; the accessors below only choose between them and a
// replacement that a test installed.
Files& DefaultFiles();
System& DefaultSystem();
ShellIcons& DefaultShellIcons();
Registry& DefaultRegistry();
Modules& DefaultModules();
ShellNamespace& DefaultShellNamespace();
ShellOperations& DefaultShellOperations();
Session& DefaultSession();

namespace {
Files* installedFiles = nullptr;
System* installedSystem = nullptr;
ShellIcons* installedShellIcons = nullptr;
Registry* installedRegistry = nullptr;
Modules* installedModules = nullptr;
ShellNamespace* installedShellNamespace = nullptr;
ShellOperations* installedShellOperations = nullptr;
Session* installedSession = nullptr;

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
Registry& GetRegistry() { return installedRegistry ? *installedRegistry : DefaultRegistry(); }
Registry* SetRegistry(Registry* replacement) { return Swap(installedRegistry, replacement); }
Modules& GetModules() { return installedModules ? *installedModules : DefaultModules(); }
Modules* SetModules(Modules* replacement) { return Swap(installedModules, replacement); }
ShellNamespace& GetShellNamespace() {
    return installedShellNamespace ? *installedShellNamespace : DefaultShellNamespace();
}
ShellNamespace* SetShellNamespace(ShellNamespace* replacement) { return Swap(installedShellNamespace, replacement); }
ShellOperations& GetShellOperations() {
    return installedShellOperations ? *installedShellOperations : DefaultShellOperations();
}
ShellOperations* SetShellOperations(ShellOperations* replacement) { return Swap(installedShellOperations, replacement); }
Session& GetSession() { return installedSession ? *installedSession : DefaultSession(); }
Session* SetSession(Session* replacement) { return Swap(installedSession, replacement); }

}  // namespace platform

// From process start to the first painted frame: nimbrel.exe against a minimal program that
// opens one window and paints it, started in turn under the same Wine, with an all-users Programs
// folder of 500 entries (250 folders, 250 shortcuts). A frame counts as painted when a visible
// window of the process, and every child of it, has nothing left to paint. A third program shows
// what the platform itself costs for such a menu: a tree view of the folder, named, ordered and
// with the shown rows' icons, and nothing else. Given a fourth program, the run box "run.exe" is
// measured beside them against the minimal window too.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "BenchShortcut.h"

namespace {
using Clock = std::chrono::steady_clock;

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    RECT r{};
    if (owner == search.process && IsWindowVisible(window) && GetWindowRect(window, &r) && r.right - r.left > 100) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ChildPainted(HWND child, LPARAM data) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(data) = false;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds until the program's first frame is painted; a negative number when it never is.
double TimeToFirstFrame(const std::wstring& program) {
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + program + L"\"";
    const auto begin = Clock::now();
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
        return -1;
    double millis = -1;
    while (Clock::now() - begin < std::chrono::seconds(30)) {
        Search search{process.dwProcessId, nullptr};
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
        if (search.found && !GetUpdateRect(search.found, nullptr, FALSE)) {
            bool painted = true;
            EnumChildWindows(search.found, ChildPainted, reinterpret_cast<LPARAM>(&painted));
            if (painted) {
                millis = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
                break;
            }
        }
        Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return millis;
}

void FillPrograms() {
    wchar_t programs[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
    const std::wstring base(programs);
    wchar_t name[64];
    for (int i = 0; i < 250; ++i) {
        swprintf(name, 64, L"\\Gruppe %03d", i);
        CreateDirectoryW((base + name).c_str(), nullptr);
        swprintf(name, 64, L"\\Gruppe %03d\\Programm.lnk", i);
        if (GetFileAttributesW((base + name).c_str()) == INVALID_FILE_ATTRIBUTES) MakeShortcut(base + name);
        swprintf(name, 64, L"\\Programm %03d.lnk", i);
        if (GetFileAttributesW((base + name).c_str()) == INVALID_FILE_ATTRIBUTES) MakeShortcut(base + name);
    }
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: StartupBench <nimbrel.exe> <MinimalWindow.exe> <ShellTreeFloor.exe> [run.exe]\n");
        return 2;
    }
    CoInitialize(nullptr);
    FillPrograms();
    CoUninitialize();
    constexpr int Rounds = 7;
    const bool withRunBox = argc >= 5;
    double menu = 1e300, minimal = 1e300, floor = 1e300, runBox = 1e300;
    // One start each first, so that all find the same warm file cache.
    for (int program = 1; program <= (withRunBox ? 4 : 3); ++program) TimeToFirstFrame(argv[program]);
    for (int round = 0; round < Rounds; ++round) {
        const double m = TimeToFirstFrame(argv[1]);
        const double w = TimeToFirstFrame(argv[2]);
        const double f = TimeToFirstFrame(argv[3]);
        const double r = withRunBox ? TimeToFirstFrame(argv[4]) : -1;
        if (m >= 0) menu = std::min(menu, m);
        if (w >= 0) minimal = std::min(minimal, w);
        if (f >= 0) floor = std::min(floor, f);
        if (r >= 0) runBox = std::min(runBox, r);
    }
    std::printf("Start to first painted frame, Programs folder of 500 entries, best of %d:\n", Rounds);
    std::printf("  nimbrel.exe:          %8.1f ms\n", menu);
    std::printf("  minimal Win32 window: %8.1f ms\n", minimal);
    std::printf("  shell tree floor:     %8.1f ms\n", floor);
    if (menu >= 1e300 || minimal >= 1e300 || floor >= 1e300) {
        std::printf("  a program showed no painted window within 30 s\n");
        return 1;
    }
    const double ratio = menu / minimal;
    std::printf("  ratio to the minimal window:    %5.2f%s\n", ratio, ratio > 1.25 ? "  ABOVE TARGET (1.25)" : "");
    std::printf("  ratio to the shell tree floor:  %5.2f\n", menu / floor);
    bool runBoxMissed = false;
    if (withRunBox) {
        std::printf("  run.exe:              %8.1f ms\n", runBox);
        const double runRatio = runBox / minimal;
        runBoxMissed = runBox >= 1e300 || runRatio > 1.3;
        std::printf("  run.exe to the minimal window:  %5.2f%s\n", runRatio, runRatio > 1.3 ? "  ABOVE TARGET (1.3)" : "");
    }
    return ratio > 1.25 || runBoxMissed ? 1 : 0;
}

// From process start to the first painted frame: nimbrel.exe against a minimal program that
// opens one window and paints it, started in turn under the same Wine, with an all-users Programs
// folder of 500 entries (250 folders, 250 shortcuts). A frame counts as painted when a visible
// window of the process, and every child of it, has nothing left to paint, and the program has
// come back to its messages (its paint has ended). A third program shows what the platform
// itself costs for such a menu: a tree view of the folder, named, ordered and with the shown
// rows' icons, and nothing else. Given a fourth program, the run box "run.exe" is measured
// beside them against the minimal window too, and given a fifth, the minimal window with the
// platform's themed common controls started: their own price, which the run box pays as well.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

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

bool NothingLeftToPaint(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    bool painted = true;
    EnumChildWindows(window, ChildPainted, reinterpret_cast<LPARAM>(&painted));
    return painted;
}

// Milliseconds until the program's first frame is painted; a negative number when it never is.
// The program is ended once seen, or after `linger` milliseconds more (a timeline build writes
// its marks when its first frame is on the screen).
double TimeToFirstFrame(const std::wstring& program, DWORD linger = 0) {
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
        if (search.found && NothingLeftToPaint(search.found)) {
            // A window's paint empties its update region when it begins, not when it ends (a tree
            // draws its rows' icons inside it): the frame is painted once the program is back at
            // its messages, and still has nothing left to paint.
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &answer) &&
                NothingLeftToPaint(search.found)) {
                millis = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
                break;
            }
        }
        Sleep(1);
    }
    if (linger) WaitForSingleObject(process.hProcess, linger);
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

struct Figures {
    double Menu = 1e300, Minimal = 1e300, Floor = 1e300, RunBox = 1e300, Controls = 1e300;
};

// One set: the programs started in turn, seven times each; the best of each.
Figures BestOfSeven(wchar_t** argv, bool withRunBox, bool withControls) {
    constexpr int Rounds = 7;
    Figures best;
    for (int round = 0; round < Rounds; ++round) {
        const double m = TimeToFirstFrame(argv[1]);
        const double w = TimeToFirstFrame(argv[2]);
        const double f = TimeToFirstFrame(argv[3]);
        const double r = withRunBox ? TimeToFirstFrame(argv[4]) : -1;
        const double c = withControls ? TimeToFirstFrame(argv[5]) : -1;
        if (m >= 0) best.Menu = std::min(best.Menu, m);
        if (w >= 0) best.Minimal = std::min(best.Minimal, w);
        if (f >= 0) best.Floor = std::min(best.Floor, f);
        if (r >= 0) best.RunBox = std::min(best.RunBox, r);
        if (c >= 0) best.Controls = std::min(best.Controls, c);
    }
    return best;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"--fill") {
        // Only the bench prefix's Programs folder, for the start's timeline.
        CoInitialize(nullptr);
        FillPrograms();
        CoUninitialize();
        return 0;
    }
    if (argc == 5 && std::wstring(argv[1]) == L"--timeline") {
        // The start's timeline of a timeline build, started as the benchmark starts it: each
        // run's marks (written by the program to NIMBREL_TIMELINE_FILE), then the moment the
        // benchmark saw its first frame, on the same clock (milliseconds since the start).
        CoInitialize(nullptr);
        FillPrograms();
        CoUninitialize();
        const int runs = std::max(1, std::min(50, _wtoi(argv[3])));
        SetEnvironmentVariableW(L"NIMBREL_TIMELINE_FILE", nullptr);
        TimeToFirstFrame(argv[2]);  // for a warm file cache, not written
        SetEnvironmentVariableW(L"NIMBREL_TIMELINE_FILE", argv[4]);
        for (int run = 0; run < runs; ++run) {
            const double seen = TimeToFirstFrame(argv[2], 1500);
            if (FILE* out = _wfopen(argv[4], L"a")) {
                std::fprintf(out, "frame seen by the benchmark\t%.1f\n--\n", seen);
                std::fclose(out);
            }
        }
        return 0;
    }
    if (argc < 4) {
        std::fprintf(stderr, "usage: StartupBench <nimbrel.exe> <MinimalWindow.exe> <ShellTreeFloor.exe> [run.exe "
                             "[ControlsWindow.exe]]\n"
                             "       StartupBench --fill\n"
                             "       StartupBench --timeline <timeline build of a program> <runs> <file>\n");
        return 2;
    }
    CoInitialize(nullptr);
    FillPrograms();
    CoUninitialize();
    constexpr int Sets = 5;
    constexpr double FloorTarget = 1.1, MinimalTarget = 1.25, RunBoxTarget = 1.3;
    const bool withRunBox = argc >= 5, withControls = argc >= 6;
    // One start each first, so that all find the same warm file cache.
    for (int program = 1; program <= (withControls ? 5 : withRunBox ? 4 : 3); ++program) TimeToFirstFrame(argv[program]);
    std::vector<double> toFloor, toMinimal, runToMinimal, controlsToMinimal;
    std::printf("Start to first painted frame, Programs folder of 500 entries, %d sets of best of 7:\n", Sets);
    std::printf("  set   nimbrel  minimal    floor  run.exe controls   menu/floor  menu/minimal  run/minimal  "
                "controls/minimal\n");
    for (int set = 0; set < Sets; ++set) {
        const Figures f = BestOfSeven(argv, withRunBox, withControls);
        if (f.Menu >= 1e300 || f.Minimal >= 1e300 || f.Floor >= 1e300 || (withRunBox && f.RunBox >= 1e300) ||
            (withControls && f.Controls >= 1e300)) {
            std::printf("  a program showed no painted window within 30 s\n");
            return 1;
        }
        toFloor.push_back(f.Menu / f.Floor);
        toMinimal.push_back(f.Menu / f.Minimal);
        if (withRunBox) runToMinimal.push_back(f.RunBox / f.Minimal);
        if (withControls) controlsToMinimal.push_back(f.Controls / f.Minimal);
        std::printf("  %3d  %7.1f  %7.1f  %7.1f  %7.1f  %7.1f   %10.2f  %12.2f  %11.2f  %16.2f\n", set + 1, f.Menu,
                    f.Minimal, f.Floor, withRunBox ? f.RunBox : 0.0, withControls ? f.Controls : 0.0, toFloor.back(),
                    toMinimal.back(), withRunBox ? runToMinimal.back() : 0.0,
                    withControls ? controlsToMinimal.back() : 0.0);
    }
    const auto spread = [](const std::vector<double>& v) {
        return std::make_pair(*std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()));
    };
    const double floorRatio = Median(toFloor), minimalRatio = Median(toMinimal);
    std::printf("  nimbrel.exe to the shell tree floor: median %.2f (spread %.2f to %.2f)%s\n", floorRatio,
                spread(toFloor).first, spread(toFloor).second, floorRatio > FloorTarget ? "  ABOVE TARGET (1.1)" : "");
    std::printf("  nimbrel.exe to the minimal window:   median %.2f (spread %.2f to %.2f)%s\n", minimalRatio,
                spread(toMinimal).first, spread(toMinimal).second, minimalRatio > MinimalTarget ? "  ABOVE TARGET (1.25)" : "");
    bool runBoxMissed = false;
    if (withRunBox) {
        const double runRatio = Median(runToMinimal);
        runBoxMissed = runRatio > RunBoxTarget;
        std::printf("  run.exe to the minimal window:       median %.2f (spread %.2f to %.2f)%s\n", runRatio,
                    spread(runToMinimal).first, spread(runToMinimal).second, runBoxMissed ? "  ABOVE TARGET (1.3)" : "");
    }
    if (withControls) {
        // What the platform's themed controls cost before any window of the program's own.
        std::printf("  controls window to the minimal:      median %.2f (spread %.2f to %.2f)\n",
                    Median(controlsToMinimal), spread(controlsToMinimal).first, spread(controlsToMinimal).second);
    }
    return floorRatio > FloorTarget || minimalRatio > MinimalTarget || runBoxMissed ? 1 : 0;
}

// The start menu's window over the real all-users programs folder, driven by real pointer input
// through the platform's queue and the message loop: folders opened one after another, entries
// launched one and three folders down, a drag out of a subfolder, the window made topmost.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <optional>
#include <functional>
#include <thread>
#include <vector>

#include "app/MainWindowDesign.h"
#include "app/NbMain.h"
#include "app/NbVariables.h"
#include "platform/win32/WinText.h"
#include "support/RecordingShellOperations.h"
#include "support/TextOut.h"
#include "ui/Application.h"
#include "ui/win32/WindowPeer.h"
#include "win32/WinInput.h"
#include "win32/WinPrograms.h"
#include "win32/WinPump.h"

using platform::win32::W;
using ui::TTreeNode;
using ui::win32::WindowOf;

namespace {

// The test's folder of the programs folder, "Zubehör Prüfung".
struct ProgramsTree : ProgramsFolder {
    explicit ProgramsTree(const std::vector<std::u16string>& files) : ProgramsFolder(u"Zubehör Prüfung", files) {}
};

// Pointer input paced as a hand makes it: each step from a worker, while this thread handles
// the window's messages (a tree's press waits inside its own loop for the release).
void Hand(const std::vector<std::function<void()>>& steps) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (const auto& step : steps) {
            step();
            Sleep(40);
        }
        done = true;
    });
    PumpUntil([&] { return done.load(); });
    worker.join();
    // What the last input started.
    for (int i = 0; i < 5; ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        ui::Application().ProcessMessages();
    }
}

void Input(DWORD flags, POINT at) { SendPointer(flags, at); }

// The menu shown over the real programs folder, with launches and file operations recorded, or
// carried out by the shell.
struct ShownMenu {
    explicit ShownMenu(bool record = true) {
        if (record) recorder.emplace();
        app::Links.Clear();
        app::AddMenuSelection = true;
        form.ShellTreeView1->SetRoot(u"rfCommonPrograms");
        form.SetBounds(40, 40, form.Width(), form.Height());
        form.Show();
        UpdateWindow(WindowOf(form));
        ui::Application().ProcessMessages();
    }
    ~ShownMenu() {
        app::Links.Clear();
        app::AddMenuSelection = false;
    }
    TTreeNode* Node(const std::u16string& prefix) {
        for (TTreeNode* n = form.ShellTreeView1->Items().GetFirstNode(); n; n = n->GetNext())
            if (n->Text().compare(0, prefix.size(), prefix) == 0) return n;
        return nullptr;
    }
    // The middle of a node's row on the screen.
    POINT RowPoint(TTreeNode* node) {
        RECT r{};
        // The message takes the item in the rectangle's first bytes.
        const auto item = reinterpret_cast<HTREEITEM>(node->ItemId());
        std::memcpy(&r, &item, sizeof(item));
        HWND tree = WindowOf(*form.ShellTreeView1);
        SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        POINT p{r.left + 40, (r.top + r.bottom) / 2};
        ClientToScreen(tree, &p);
        return p;
    }
    void Click(const std::u16string& prefix) {
        TTreeNode* node = Node(prefix);
        ASSERT_NE(node, nullptr) << U8(prefix);
        const POINT at = RowPoint(node);
        Hand({[=] { Input(0, {at.x, at.y - 2}); }, [=] { Input(0, at); }, [=] { Input(MOUSEEVENTF_LEFTDOWN, at); },
              [=] { Input(MOUSEEVENTF_LEFTUP, at); }});
    }
    std::optional<RecordingShellOperations> recorder;
    RecordingShellOperations& shell = *recorder;
    app::TMainForm form;
};

}  // namespace

TEST(Win32MenuInput, EntriesOneAndThreeFoldersDownLaunchAfterEarlierClicks) {
    ProgramsTree files({u"Werkzeug\\Größen\\Märker.txt", u"Werkzeug\\Größen\\Zweiter.txt", u"Tools\\M3.txt"});
    ShownMenu menu;
    ASSERT_NE(menu.Node(u"Zubehör Prüfung"), nullptr);
    // Opened and closed once, then down three folders: each click leaves the selection free
    // to follow the pointer.
    menu.Click(u"Zubehör Prüfung");
    menu.Click(u"Zubehör Prüfung");
    EXPECT_FALSE(menu.Node(u"Zubehör Prüfung")->Expanded());
    for (const char16_t* folder : {u"Zubehör Prüfung", u"Werkzeug", u"Größen"}) {
        menu.Click(folder);
        ASSERT_TRUE(menu.Node(folder)->Expanded()) << U8(folder);
        EXPECT_FALSE(menu.form.ShellTreeView1->MouseClick);
    }
    const POINT second = menu.RowPoint(menu.Node(u"Zweiter"));
    Hand({[=] { Input(0, second); }});
    EXPECT_EQ(menu.form.ShellTreeView1->Selected(), menu.Node(u"Zweiter"));
    menu.Click(u"Märker");
    const std::u16string path = files.Root + u"\\Werkzeug\\Größen\\Märker.txt";
    ASSERT_EQ(menu.shell.Starts.size(), 1u);
    EXPECT_EQ(menu.shell.Starts[0].File, u"\"" + path + u"\"");
    EXPECT_FALSE(IsWindowVisible(WindowOf(menu.form)));
    EXPECT_EQ(app::Links.Lines(), util::StringList{u"Märker\t" + path});
}

TEST(Win32MenuInput, AnEntryOneFolderDownLaunches) {
    ProgramsTree files({u"Tools\\M3.txt"});
    ShownMenu menu;
    menu.Click(u"Zubehör Prüfung");
    menu.Click(u"Tools");
    menu.Click(u"M3");
    ASSERT_EQ(menu.shell.Starts.size(), 1u);
    EXPECT_EQ(menu.shell.Starts[0].File, u"\"" + files.Root + u"\\Tools\\M3.txt\"");
}

TEST(Win32MenuInput, ADragOutOfASubfolderMovesTheDraggedEntry) {
    ProgramsTree files({u"Werkzeug\\Marker.txt", u"Spiele\\Solitär.txt"});
    ShownMenu menu(false);
    menu.Click(u"Zubehör Prüfung");
    menu.Click(u"Werkzeug");
    const POINT from = menu.RowPoint(menu.Node(u"Marker"));
    const POINT to = menu.RowPoint(menu.Node(u"Spiele"));
    std::vector<std::function<void()>> steps{[=] { Input(0, from); }, [=] { Input(MOUSEEVENTF_LEFTDOWN, from); }};
    for (int step = 1; step <= 6; ++step)
        steps.push_back([=] { Input(0, {from.x + 20 * step / 6, from.y + (to.y - from.y) * step / 6}); });
    steps.push_back([=] { Input(0, {to.x + 20, to.y}); });
    steps.push_back([=] { Input(MOUSEEVENTF_LEFTUP, {to.x + 20, to.y}); });
    Hand(steps);
    // The end of the drag keeps the window open for a second.
    EXPECT_TRUE(PumpUntil([&] { return !menu.form.ShellTreeView1->Dragging() && menu.form.Tag() == 0; }));
    // The pointer is free again at once: the selection follows it.
    const POINT tools = menu.RowPoint(menu.Node(u"Werkzeug"));
    Hand({[=] { Input(0, {tools.x, tools.y - 2}); }, [=] { Input(0, tools); }});
    EXPECT_EQ(menu.form.ShellTreeView1->Selected(), menu.Node(u"Werkzeug"));
    // The shell moved the file itself, nothing else, and the tree shows it there.
    EXPECT_EQ(GetFileAttributesW(W(files.Root + u"\\Spiele\\Marker.txt")) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(GetFileAttributesW(W(files.Root + u"\\Werkzeug\\Marker.txt")), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(W(files.Root + u"\\Werkzeug")), INVALID_FILE_ATTRIBUTES);
    ASSERT_NE(menu.Node(u"Spiele"), nullptr);
    menu.Click(u"Spiele");
    ASSERT_NE(menu.Node(u"Marker"), nullptr);
    EXPECT_EQ(menu.Node(u"Marker")->Parent(), menu.Node(u"Spiele"));
    EXPECT_TRUE(IsWindowVisible(WindowOf(menu.form)));
    // The pointer is free again: the selection follows it.
    EXPECT_FALSE(menu.form.ShellTreeView1->MouseClick);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Win32MenuInput, TheShownWindowBecomesTopmostAndItsTimerStops) {
    ShownMenu menu;
    HWND window = WindowOf(menu.form);
    EXPECT_TRUE(PumpUntil([&] { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }))
        << std::hex << GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(menu.form.Timer1->Enabled());
}

namespace {
// Keys pressed and released through the platform's queue, one after the other.
void Keys(const std::vector<WORD>& keys) {
    std::vector<std::function<void()>> steps;
    for (WORD key : keys)
        steps.push_back([key] {
            INPUT input[2] = {};
            input[0].type = input[1].type = INPUT_KEYBOARD;
            input[0].ki.wVk = input[1].ki.wVk = key;
            input[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, input, sizeof(INPUT));
        });
    Hand(steps);
}
}  // namespace

TEST(Win32MenuInput, TheKeysOpenFoldersLaunchAnEntryAndEscCloses) {
    ProgramsTree files({u"Tools\\M3.txt"});
    {
        ShownMenu menu;
        // The tree has the keys from the start.
        EXPECT_EQ(GetFocus(), WindowOf(*menu.form.ShellTreeView1));
        menu.form.ShellTreeView1->SetSelected(menu.Node(u"Zubehör Prüfung"));
        Keys({VK_RETURN});
        ASSERT_TRUE(menu.Node(u"Zubehör Prüfung")->Expanded());
        EXPECT_TRUE(menu.form.Showing());
        Keys({VK_DOWN, VK_RETURN, VK_DOWN});
        ASSERT_NE(menu.form.ShellTreeView1->Selected(), nullptr);
        EXPECT_EQ(menu.form.ShellTreeView1->Selected()->Text().substr(0, 2), u"M3");
        Keys({VK_RETURN});
        ASSERT_EQ(menu.shell.Starts.size(), 1u);
        EXPECT_EQ(menu.shell.Starts[0].File, u"\"" + files.Root + u"\\Tools\\M3.txt\"");
        EXPECT_FALSE(menu.form.Showing());
    }
    ShownMenu menu;
    Keys({VK_ESCAPE});
    EXPECT_FALSE(menu.form.Showing());
    EXPECT_TRUE(menu.shell.Starts.empty());
}

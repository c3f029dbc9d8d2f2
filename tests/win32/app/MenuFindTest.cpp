// Type-to-find in the start menu's window under the real message loop: keys typed through the
// platform's input queue open the find field, the index is read from the real Programs folders,
// Esc gives the tree back, Backspace to nothing ends the search, Enter launches a result.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "app/NbMain.h"
#include "app/NbVariables.h"
#include "platform/win32/WinText.h"
#include "support/RecordingShellOperations.h"
#include "support/TextOut.h"
#include "ui/Application.h"
#include "ui/win32/WindowPeer.h"
#include "win32/Screenshot.h"
#include "win32/WinPump.h"

using platform::win32::W;
using ui::win32::WindowOf;

namespace {

std::u16string CommonPrograms() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, path);
    return platform::win32::U16(path);
}

// Files below a folder of the all-users programs folder, removed afterwards.
struct FindFiles {
    explicit FindFiles(const std::vector<std::u16string>& files) {
        for (const std::u16string& file : files) {
            const std::u16string path = Root + u"\\" + file;
            for (std::size_t at = path.find(u'\\', Root.size()); at != std::u16string::npos; at = path.find(u'\\', at + 1))
                CreateDirectoryW(W(path.substr(0, at)), nullptr);
            CloseHandle(CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    }
    ~FindFiles() {
        std::u16string from = Root + u'\0' + u'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = W(from);
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
    }
    const std::u16string Root = CommonPrograms() + u"\\Suchprobe";
};

// Typed through the input queue, paced by a worker while this thread handles the messages:
// virtual keys as they are, characters as the keyboard's Unicode input.
struct Key {
    WORD Virtual = 0;
    wchar_t Char = 0;
};
void Type(const std::vector<Key>& keys) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (const Key& key : keys) {
            INPUT input[2] = {};
            input[0].type = input[1].type = INPUT_KEYBOARD;
            if (key.Char) {
                input[0].ki.wScan = input[1].ki.wScan = key.Char;
                input[0].ki.dwFlags = KEYEVENTF_UNICODE;
                input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
            } else {
                input[0].ki.wVk = input[1].ki.wVk = key.Virtual;
                input[1].ki.dwFlags = KEYEVENTF_KEYUP;
            }
            SendInput(2, input, sizeof(INPUT));
            Sleep(30);
        }
        done = true;
    });
    PumpUntil([&] { return done.load(); });
    worker.join();
    for (int i = 0; i < 5; ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        ui::Application().ProcessMessages();
    }
}
std::vector<Key> Text(const std::u16string& text) {
    std::vector<Key> keys;
    for (char16_t c : text) keys.push_back({0, static_cast<wchar_t>(c)});
    return keys;
}

struct FindMenu {
    FindMenu() {
        app::Links.Clear();
        app::AddMenuSelection = false;
        form.ShellTreeView1->SetRoot(u"rfCommonPrograms");
        form.SetBounds(40, 40, form.Width(), form.Height());
        form.Show();
        UpdateWindow(WindowOf(form));
        ui::Application().ProcessMessages();
    }
    ~FindMenu() { app::Links.Clear(); }
    bool Shows(ui::TWinControl& control) { return control.HandleAllocated() && IsWindowVisible(WindowOf(control)); }
    RecordingShellOperations shell;
    app::TMainForm form;
};

}  // namespace

TEST(Win32MenuFind, TypedKeysFindEntriesEscRestoresAndEnterLaunches) {
    FindFiles files({u"Werkzeug\\Über Wine.txt", u"Editor Wine.txt", u"Spiele\\Solitär.txt"});
    {
        FindMenu menu;
        HWND tree = WindowOf(*menu.form.ShellTreeView1);
        ASSERT_EQ(GetFocus(), tree);
        menu.form.ShellTreeView1->SetSelected(menu.form.ShellTreeView1->Items().GetFirstNode()->GetFirstChild());
        ui::TTreeNode* selected = menu.form.ShellTreeView1->Selected();

        Type(Text(u"über"));
        ASSERT_TRUE(menu.form.Searching());
        EXPECT_TRUE(menu.Shows(*menu.form.FindEdit));
        EXPECT_TRUE(menu.Shows(*menu.form.FindList));
        EXPECT_FALSE(IsWindowVisible(tree));
        EXPECT_EQ(GetFocus(), WindowOf(*menu.form.FindEdit));
        EXPECT_EQ(ui::win32::WindowTextOf(WindowOf(*menu.form.FindEdit)), u"über");
        // The caret after the last typed key: every key went to the end.
        DWORD start = 0, end = 0;
        SendMessageW(WindowOf(*menu.form.FindEdit), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 4u);
        EXPECT_EQ(end, 4u);
        // The index comes from its worker after the first frame.
        ASSERT_TRUE(PumpUntil([&] { return menu.form.FindList->Count() > 0; }));
        ASSERT_NE(menu.form.FindList->Entry(0), nullptr);
        EXPECT_EQ(menu.form.FindList->Entry(0)->Name.substr(0, 9), u"Über Wine");
        EXPECT_EQ(menu.form.FindList->Entry(0)->Folder, u"Suchprobe › Werkzeug");
        UpdateWindow(WindowOf(menu.form));
        auto shot = GrabWindow(WindowOf(menu.form));
        KeepScreenshot(*shot, "menu-find");

        // Esc: the tree again with its selection and the keys; nothing launched.
        Type({{VK_ESCAPE, 0}});
        EXPECT_FALSE(menu.form.Searching());
        EXPECT_TRUE(IsWindowVisible(tree));
        EXPECT_FALSE(IsWindowVisible(WindowOf(*menu.form.FindEdit)));
        EXPECT_EQ(GetFocus(), tree);
        EXPECT_EQ(menu.form.ShellTreeView1->Selected(), selected);
        EXPECT_TRUE(menu.form.Showing());

        // Backspace back to nothing ends the search as well.
        Type({{0, L'x'}, {VK_BACK, 0}});
        EXPECT_FALSE(menu.form.Searching());
        EXPECT_EQ(GetFocus(), tree);

        // A query nothing matches shows no rows.
        Type(Text(u"zzz"));
        EXPECT_EQ(menu.form.FindList->Count(), 0);
        Type({{VK_ESCAPE, 0}});

        // "editor w", Enter: the first result starts, the window closes.
        Type(Text(u"editor w"));
        Type({{VK_RETURN, 0}});
        ASSERT_EQ(menu.shell.Starts.size(), 1u);
        EXPECT_EQ(menu.shell.Starts[0].File, u"\"" + files.Root + u"\\Editor Wine.txt\"");
        EXPECT_FALSE(menu.form.Showing());
    }
    FindMenu menu;
    // A folder result opens in the tree: Down to it, Enter.
    Type(Text(u"spiele"));
    ASSERT_TRUE(PumpUntil([&] { return menu.form.FindList->Count() > 0; }));
    ASSERT_TRUE(menu.form.FindList->Entry(0)->IsFolder);
    Type({{VK_RETURN, 0}});
    EXPECT_FALSE(menu.form.Searching());
    ASSERT_NE(menu.form.ShellTreeView1->Selected(), nullptr);
    EXPECT_EQ(menu.form.ShellTreeView1->Selected()->Text(), u"Spiele");
    EXPECT_TRUE(menu.form.ShellTreeView1->Selected()->Expanded());
    EXPECT_TRUE(menu.shell.Starts.empty());
}

// The start menu's window worked by keys through the platform's input queue and the real message
// loop: Tab and Shift+Tab between the tree and the buttons, Space and Alt with a letter pressing
// one, Del with the shell's confirmation answered; and type-to-find: the find field, the index
// read from the real Programs folders, Esc, Backspace, a result launched.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "app/NbFolder.h"
#include "app/NbMain.h"
#include "app/NbVariables.h"
#include "platform/win32/WinText.h"
#include "support/RecordingShellOperations.h"
#include "support/TextOut.h"
#include "ui/Application.h"
#include "ui/win32/WindowPeer.h"
#include "win32/Screenshot.h"
#include "win32/WinPrograms.h"
#include "win32/WinPump.h"

using platform::win32::W;
using ui::win32::WindowOf;

namespace {

// The test's folder of the programs folder, "Suchprobe".
struct FindFiles : ProgramsFolder {
    explicit FindFiles(const std::vector<std::u16string>& files) : ProgramsFolder(u"Suchprobe", files) {}
};

// The index is read by a worker: up to ten seconds on a busy machine.
bool PumpLong(const std::function<bool()>& done) {
    for (int i = 0; i < 5; ++i)
        if (PumpUntil(done)) return true;
    return false;
}

// Typed through the input queue, paced by a worker while this thread handles the messages:
// virtual keys as they are, characters as the keyboard's Unicode input.
struct Key {
    WORD Virtual = 0;
    wchar_t Char = 0;
    bool Alt = false;
    bool Shift = false;
    int WaitAfter = 30;  // milliseconds before the next key: a window the key opens comes first
};
void Type(const std::vector<Key>& keys) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (const Key& key : keys) {
            if (key.Alt || key.Shift) {
                INPUT held[2] = {};
                held[0].type = held[1].type = INPUT_KEYBOARD;
                held[0].ki.wVk = key.Alt ? VK_MENU : VK_SHIFT;
                held[1].ki.wVk = key.Virtual;
                SendInput(2, held, sizeof(INPUT));
                Sleep(30);
                held[0].ki.dwFlags = held[1].ki.dwFlags = KEYEVENTF_KEYUP;
                std::swap(held[0], held[1]);
                SendInput(2, held, sizeof(INPUT));
                Sleep(key.WaitAfter);
                continue;
            }
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
            Sleep(key.WaitAfter);
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
    explicit FindMenu(bool record = true) {
        if (record) recorder.emplace();
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
    std::optional<RecordingShellOperations> recorder;
    RecordingShellOperations& shell = *recorder;
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
        ASSERT_TRUE(PumpLong([&] { return menu.form.FindList->Count() > 0; }));
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
    ASSERT_TRUE(PumpLong([&] { return menu.form.FindList->Count() > 0; }));
    ASSERT_TRUE(menu.form.FindList->Entry(0)->IsFolder);
    Type({{VK_RETURN, 0}});
    EXPECT_FALSE(menu.form.Searching());
    ASSERT_NE(menu.form.ShellTreeView1->Selected(), nullptr);
    EXPECT_EQ(menu.form.ShellTreeView1->Selected()->Text(), u"Spiele");
    EXPECT_TRUE(menu.form.ShellTreeView1->Selected()->Expanded());
    EXPECT_TRUE(menu.shell.Starts.empty());
}

TEST(Win32MenuKeys, TabMovesToTheButtonsSpaceAndAltPressThemDelAsksFirst) {
    FindFiles files({u"Wegwerfen.txt", u"Behalten.txt"});
    {
        FindMenu menu;
        HWND tree = WindowOf(*menu.form.ShellTreeView1);
        ASSERT_EQ(GetFocus(), tree);
        Type({{VK_TAB, 0}});
        EXPECT_EQ(GetFocus(), WindowOf(*menu.form.Buttons[0]));
        EXPECT_TRUE(menu.form.Buttons[0]->Cues().Focus);
        Type({{VK_TAB, 0}});
        EXPECT_EQ(GetFocus(), WindowOf(*menu.form.Buttons[1]));
        Type({{VK_TAB, 0, false, true}, {VK_TAB, 0, false, true}});
        EXPECT_EQ(GetFocus(), tree);
        // Alt+O: the folder dialog (its own loop runs until the Esc after it), the menu stays open.
        Type({{'O', 0, true, false, 800}, {VK_ESCAPE, 0}});
        EXPECT_TRUE(menu.form.Buttons[0]->Cues().Accelerators);
        ASSERT_NE(app::FolderForm, nullptr);
        EXPECT_FALSE(app::FolderForm->Showing());
        EXPECT_TRUE(menu.form.Showing());
        EXPECT_TRUE(menu.shell.Starts.empty());
        // Tab to "Information" and Space: it starts the about program and the menu closes.
        menu.form.ShellTreeView1->SetFocus();
        Type({{VK_TAB, 0}, {VK_TAB, 0}, {VK_SPACE, 0}});
        ASSERT_EQ(menu.shell.Starts.size(), 1u);
        EXPECT_NE(menu.shell.Starts[0].File.find(u"winver.exe"), std::u16string::npos);
        EXPECT_FALSE(menu.form.Showing());
    }
    delete app::FolderForm;
    app::FolderForm = nullptr;

    // Del on an entry with the real shell: its confirmation answered No keeps it, Yes deletes it.
    FindMenu menu(false);
    menu.form.ShellTreeView1->Items().GetFirstNode()->Expand(false);
    ui::TTreeNode* folder = nullptr;
    for (ui::TTreeNode* n = menu.form.ShellTreeView1->Items().GetFirstNode(); n; n = n->GetNext())
        if (n->Text() == u"Suchprobe") folder = n;
    ASSERT_NE(folder, nullptr);
    folder->Expand(false);
    ui::TTreeNode* doomed = nullptr;
    for (ui::TTreeNode* n = folder->GetFirstChild(); n; n = n->GetNextSibling())
        if (n->Text().rfind(u"Wegwerfen", 0) == 0) doomed = n;
    ASSERT_NE(doomed, nullptr);
    menu.form.ShellTreeView1->SetSelected(doomed);
    // The confirmation is the shell's own window, shown inside the key's handling.
    Type({{VK_DELETE, 0, false, false, 1500}, {VK_ESCAPE, 0}});
    EXPECT_EQ(GetFileAttributesW(W(files.Root + u"\\Wegwerfen.txt")) != INVALID_FILE_ATTRIBUTES, true);
    EXPECT_TRUE(menu.form.Showing());
    Type({{VK_DELETE, 0, false, false, 1500}, {VK_RETURN, 0}});
    EXPECT_EQ(GetFileAttributesW(W(files.Root + u"\\Wegwerfen.txt")), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(W(files.Root + u"\\Behalten.txt")), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(menu.form.Showing());
}

// The least a start menu on the shell does before its first frame: one window with a tree view
// of the all-users Programs folder, its entries named and ordered by the shell, the icons of the
// rows on the screen, painted. The start-up benchmark measures it beside the minimal window, as
// what the platform itself costs for such a window.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "platform/StartTimeline.h"

namespace {
IShellFolder* ProgramsFolder = nullptr;
PIDLIST_ABSOLUTE Programs = nullptr;

LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NOTIFY) {
        auto* info = reinterpret_cast<NMTVDISPINFOW*>(lp);
        if (info->hdr.code == TVN_GETDISPINFOW && (info->item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE))) {
            auto child = reinterpret_cast<PCUITEMID_CHILD>(info->item.lParam);
            PIDLIST_ABSOLUTE full = ILCombine(Programs, child);
            SHFILEINFOW file{};
            SHGetFileInfoW(reinterpret_cast<LPCWSTR>(full), 0, &file, sizeof(file),
                           SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
            ILFree(full);
            info->item.iImage = info->item.iSelectedImage = file.iIcon;
            info->item.mask |= TVIF_DI_SETITEM;
            return 0;
        }
#ifdef NIMBREL_TIMELINE
        // The tree's paint ends only once its rows' icons are drawn.
        auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(lp);
        if (draw->hdr.code == NM_CUSTOMDRAW && draw->dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
        if (draw->hdr.code == NM_CUSTOMDRAW && draw->dwDrawStage == CDDS_POSTPAINT) platform::MarkFirstPaint("tree, icons drawn");
#endif
    }
    if (msg == WM_TIMER) {
        // Every first frame is on the screen: the start's timeline (in a timeline build).
        KillTimer(window, 1);
        platform::WriteStartTimeline();
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    platform::MarkStart("program");
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    platform::MarkStart("common controls");
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(RGB(0x55, 0x55, 0x55));
    wc.lpszClassName = L"ShellTreeFloor";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"Floor", WS_OVERLAPPEDWINDOW, 0, 0, 522, 521,
                                  nullptr, nullptr, instance, nullptr);
    HWND tree = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_SHOWSELALWAYS, 8, 8,
                                333, 481, window, nullptr, instance, nullptr);
    SHFILEINFOW info{};
    auto images = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    TreeView_SetImageList(tree, images, TVSIL_NORMAL);
    platform::MarkStart("window made");

    // The folder's entries, in the shell's order, with the shell's names.
    IShellFolder* desktop = nullptr;
    SHGetDesktopFolder(&desktop);
    SHGetSpecialFolderLocation(nullptr, CSIDL_COMMON_PROGRAMS, &Programs);
    desktop->BindToObject(Programs, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&ProgramsFolder));
    std::vector<PITEMID_CHILD> entries;
    IEnumIDList* list = nullptr;
    if (ProgramsFolder && SUCCEEDED(ProgramsFolder->EnumObjects(window, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &list)) && list) {
        PITEMID_CHILD child = nullptr;
        while (list->Next(1, &child, nullptr) == S_OK) entries.push_back(child);
        list->Release();
    }
    platform::MarkStart("folder read");
    std::stable_sort(entries.begin(), entries.end(), [](PCUITEMID_CHILD a, PCUITEMID_CHILD b) {
        return static_cast<short>(HRESULT_CODE(ProgramsFolder->CompareIDs(0, a, b))) < 0;
    });
    platform::MarkStart("folder sorted");
    for (PCUITEMID_CHILD child : entries) {
        STRRET name{};
        wchar_t text[MAX_PATH] = {};
        if (SUCCEEDED(ProgramsFolder->GetDisplayNameOf(child, SHGDN_INFOLDER, &name)))
            StrRetToBufW(&name, child, text, MAX_PATH);
        TVINSERTSTRUCTW insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = text;
        insert.item.iImage = insert.item.iSelectedImage = I_IMAGECALLBACK;
        insert.item.lParam = reinterpret_cast<LPARAM>(child);
        TreeView_InsertItem(tree, &insert);
    }
    platform::MarkStart("tree filled");
    ShowWindow(window, SW_SHOW);
    platform::MarkStart("shown");
    UpdateWindow(window);
    platform::MarkFirstPaint("window");
    SetTimer(window, 1, 250, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (msg.message == WM_PAINT && msg.hwnd == tree) platform::MarkFirstPaint("tree");
    }
    return 0;
}

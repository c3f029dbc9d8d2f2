#include "shell/ShellFolder.h"

#include <cstdio>

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/ShellIcons.h"
#include "platform/Utf.h"
#include "shell/ShellConsts.h"
#include "ui/Application.h"
#include "ui/Backend.h"
#include "util/DateTime.h"

namespace shell {

using platform::GetShellNamespace;
using platform::ShellFace;
using platform::ShellName;

namespace {

std::u16string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", value);
    return platform::FromUtf8(text);
}

std::u16string TwoDigits(int value) {
    return std::u16string{static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10)};
}

// A date value as the program shows dates: day, month and year, and the time when it is not
// midnight.
std::u16string DateTimeText(util::TDateTime value) {
    const util::CivilTime civil = util::DecodeDateTime(value);
    std::u16string text = TwoDigits(civil.Day) + u"." + TwoDigits(civil.Month) + u"." +
                          platform::FromUtf8(std::to_string(civil.Year));
    if (civil.Hour || civil.Minute || civil.Second)
        text += u" " + TwoDigits(civil.Hour) + u":" + TwoDigits(civil.Minute) + u":" + TwoDigits(civil.Second);
    return text;
}

// The last-write time as the old two-part local date and time holds it (2-second steps, 1980 to
// 2107); -1 for any time outside that range.
util::TDateTime LocalDosDate(std::int64_t fileTime) {
    const std::int64_t local = platform::GetFiles().UtcToLocal(fileTime);
    const util::CivilTime civil = util::FileTimeToCivil(local);
    if (civil.Year < 1980 || civil.Year > 2107) return -1;
    return util::EncodeDateTime(civil.Year, civil.Month, civil.Day, civil.Hour, civil.Minute, civil.Second / 2 * 2);
}

struct DesktopHolder {
    std::unique_ptr<TShellFolder> item;
    bool made = false;
};
DesktopHolder& Desktop() {
    static DesktopHolder holder;
    return holder;
}

}  // namespace

ShellObjectRef DesktopShellFolder() {
    // The desktop item holds the desktop folder for the whole run; ask the shell only before it
    // is made or when it could not be.
    if (Desktop().item && Desktop().item->ShellFolder()) return Desktop().item->ShellFolder();
    if (auto desktop = GetShellNamespace().Desktop()) return desktop;
    throw EShellError(u"The shell gives no desktop folder", 0x80004005u);
}

TShellFolder* DesktopItem() {
    DesktopHolder& holder = Desktop();
    if (!holder.made) {
        holder.made = true;
        IdListPtr list = GetShellNamespace().SpecialFolder(0, RootFolderCsidl[rfDesktop]);
        auto folder = GetShellNamespace().Desktop();
        if (list && folder) holder.item = std::make_unique<TShellFolder>(nullptr, list.get(), folder);
    }
    return holder.item.get();
}

void ReleaseDesktopItem() {
    Desktop().item.reset();
    Desktop().made = false;
}

IdListPtr IdDesktop() {
    IdListPtr list = GetShellNamespace().SpecialFolder(0, RootFolderCsidl[rfDesktop]);
    if (!list) throw EShellError(u"The shell gives no list for the desktop", 0x80004005u);
    return list;
}

bool IdEqual(PCItemIDList a, PCItemIDList b) {
    auto answer = DesktopShellFolder()->CompareIds(0, a, b);
    return answer && (*answer & 0xFFFF) == 0;
}

int SystemIconIndex(PCItemIDList list, bool large, bool open) {
    return GetShellNamespace().SysIconIndex(list, platform::IconStyle{!large, open}).value_or(0);
}

bool HasEnumerableItems(const ShellObjectRef& folder, platform::ShellItemKinds kinds) {
    if (!folder) return false;
    const auto quiet = GetShellNamespace().QuietCriticalErrors();
    auto items = folder->EnumObjects(0, kinds);
    return items && static_cast<bool>(items->Next());
}

std::u16string NameRecordText(const ShellName& name, PCItemIDList list) {
    switch (name.Kind) {
        case ShellName::Wide:
            return name.HasText ? name.Text : std::u16string();
        case ShellName::Offset: {
            // The text lies inside the list's first entry; never read past that entry.
            if (!list) return {};
            const std::size_t count = static_cast<std::size_t>(list[0] | (list[1] << 8));
            if (name.ByteOffset >= count) return {};
            const auto* start = reinterpret_cast<const char*>(list + name.ByteOffset);
            std::string_view bytes(start, count - name.ByteOffset);
            bytes = bytes.substr(0, bytes.find('\0'));
            return platform::FromAnsi(bytes);
        }
        case ShellName::Inline:
            return platform::FromAnsi(name.Bytes);
    }
    return {};
}

std::u16string ItemDisplayText(const ShellObjectRef& folder, PCItemIDList list, platform::ShellNameStyle style) {
    if (!folder) return std::u16string(SNoParentFolder);
    auto name = folder->DisplayNameOf(list, style);
    std::u16string text = name ? TidyDisplayText(NameRecordText(*name, list)) : std::u16string();
    if (IsClassParseName(text)) {
        auto normal = folder->DisplayNameOf(list, platform::ShellNameStyle::Normal);
        text = normal ? TidyDisplayText(NameRecordText(*normal, list)) : std::u16string();
    }
    return text;
}

ShellObjectRef BindItemFolder(const ShellObjectRef& parentFolder, PCItemIDList list, ShellWindow window) {
    ShellObjectRef result;
    if (parentFolder) {
        result = parentFolder->BindToObject(list, ShellFace::Folder);
        if (!result) {
            if (auto answer = parentFolder->UiObjectOf(window, list, ShellFace::Folder)) result = answer;
            if (auto answer = parentFolder->CreateViewObject(window, ShellFace::Folder)) result = answer;
            // A view object is the parent's own view, not the child: only a folder face counts.
            if (result && !result->Has(ShellFace::Folder)) result.reset();
        }
        return result;
    }
    // Without a parent the list is absolute, and the desktop binds it.
    return DesktopShellFolder()->BindToObject(list, ShellFace::Folder);
}

TShellFolder::TShellFolder(TShellFolder* AParent, PCItemIDList ID, ShellObjectRef SF)
    : FParent(AParent), FIShellFolder(std::move(SF)) {
    FPIDL.reset(IdClone(ID));
    if (AParent) {
        FFullPIDL.reset(IdJoin(AParent->AbsoluteID(), ID));
    } else {
        IdListPtr desktop = IdDesktop();
        FFullPIDL.reset(IdJoin(desktop.get(), ID));
    }
    // While the desktop item itself is being made, DesktopItem() is still empty.
    if (!FParent) FParent = DesktopItem();
    for (TShellFolder* p = AParent ? AParent->FParent : nullptr; p; p = p->FParent) ++FLevel;
}

TShellFolder::TShellFolder(TShellFolder* AParent, PCItemIDList ID, BindWhenAsked)
    : TShellFolder(AParent, ID, ShellObjectRef()) {
    FBindPending = true;
    FBindUnderParent = AParent != nullptr;
}

TShellFolder::~TShellFolder() = default;

const ShellObjectRef& TShellFolder::ShellFolder() const {
    if (FBindPending) {
        FBindPending = false;
        // Under the parent given when the item was made; without one the list is the desktop's.
        FIShellFolder = BindItemFolder(FBindUnderParent ? FParent->ShellFolder() : nullptr, FPIDL.get(), 0);
    }
    return FIShellFolder;
}

ShellObjectRef TShellFolder::ParentShellFolder() const {
    if (FParent) return FParent->ShellFolder();
    return DesktopShellFolder();
}

std::u16string TShellFolder::DisplayName() const {
    return ItemDisplayText(ParentShellFolder(), FPIDL.get(), platform::ShellNameStyle::InFolder);
}

std::u16string TShellFolder::PathName() const {
    return ItemDisplayText(DesktopShellFolder(), FFullPIDL.get(), platform::ShellNameStyle::ForParsing);
}

platform::ShellAttributes TShellFolder::AskAttributes(platform::ShellAttributes question) const {
    auto parent = ParentShellFolder();
    if (!parent || !parent->AttributesOf(FPIDL.get(), question)) return {};
    return question;
}

bool TShellFolder::IsFolder() const {
    return AskAttributes({platform::ShellAttribute::Folder}).Has(platform::ShellAttribute::Folder);
}

bool TShellFolder::SubFolders() const {
    return AskAttributes({platform::ShellAttribute::HasSubfolder}).Has(platform::ShellAttribute::HasSubfolder);
}

TShellFolderCapabilities TShellFolder::Capabilities() const {
    return CapabilitiesFromAttributes(AskAttributes(CapabilityAttributes));
}

TShellFolderProperties TShellFolder::Properties() const {
    if (!ParentShellFolder()) return 0;
    // The content attributes are those the folder reports unasked.
    return PropertiesFromAttributes(AskAttributes(DisplayAttributes), AskAttributes({}));
}

int TShellFolder::ImageIndex(bool LargeIcon) const { return SystemIconIndex(FFullPIDL.get(), LargeIcon, false); }

bool TShellFolder::ExecuteDefault() const {
    // The application's window owns whatever the shell shows for it (a message, a choice).
    return GetShellNamespace().ExecuteDefault(ui::GetBackend().ApplicationHandle(), FFullPIDL.get());
}

bool TShellFolder::Rename(const std::u16string& NewName) {
    if (!(Capabilities() & (1u << fcCanRename))) return false;
    auto parent = ParentShellFolder();
    IdListPtr renamed = parent ? parent->SetNameOf(0, FPIDL.get(), NewName, platform::ShellNameStyle::Normal) : IdListPtr();
    if (!renamed) throw ui::Exception(FormatShellMessage(SRenamedFailedError, NewName));
    IdListPtr full(FParent ? IdJoin(FParent->AbsoluteID(), renamed.get()) : IdClone(renamed.get()));
    if (!full) throw ui::Exception(FormatShellMessage(SRenamedFailedError, NewName));
    FPIDL = std::move(renamed);
    FFullPIDL = std::move(full);
    return true;
}

std::u16string TShellFolder::GetDetails(int Index) const {
    if (FDetails.empty()) throw ui::Exception(FormatShellMessage(SCallLoadDetails, DisplayName()));
    if (Index < 1 || Index > static_cast<int>(FDetails.size()))
        throw ui::Exception(u"List index out of bounds (" + platform::FromUtf8(std::to_string(Index - 1)) + u")");
    return FDetails[static_cast<std::size_t>(Index - 1)];
}

void TShellFolder::SetDetails(int Index, const std::u16string& Value) {
    const int at = Index - 1;
    if (at < 0 || at > static_cast<int>(FDetails.size()))
        throw ui::Exception(u"List index out of bounds (" + platform::FromUtf8(std::to_string(at)) + u")");
    if (Index < static_cast<int>(FDetails.size()))
        FDetails[static_cast<std::size_t>(at)] = Value;
    else
        FDetails.insert(FDetails.begin() + at, Value);
}

const ShellObjectRef& TShellFolder::DetailInterface() {
    if (FDetailSought) return FDetailInterface;
    FDetailSought = true;
    if (!ShellFolder()) return FDetailInterface;
    const PCItemIDList full = FFullPIDL.get();
    // The details face first, sought as a child's folder would be.
    FIShellDetails = FIShellFolder->BindToObject(full, ShellFace::Details);
    if (!FIShellDetails) {
        if (auto answer = FIShellFolder->UiObjectOf(FViewHandle, full, ShellFace::Details)) FIShellDetails = answer;
        if (auto answer = FIShellFolder->CreateViewObject(FViewHandle, ShellFace::Details)) FIShellDetails = answer;
        if (FIShellDetails && !FIShellDetails->Has(ShellFace::Details)) FIShellDetails.reset();
    }
    if (!FIShellDetails && GetShellNamespace().MajorVersion() >= 5) {
        FIShellFolder2 = DesktopShellFolder()->BindToObject(full, ShellFace::Folder2);
        if (!FIShellFolder2) {
            auto viaUi = FIShellFolder->UiObjectOf(FViewHandle, full, ShellFace::Folder2);
            if (viaUi) FIShellFolder2 = viaUi->BindToObject(full, ShellFace::Folder2);
        }
        if (!FIShellFolder2 && FIShellFolder->Has(ShellFace::Folder2)) FIShellFolder2 = FIShellFolder;
    }
    FDetailInterface = FIShellFolder2 ? FIShellFolder2 : FIShellDetails;
    return FDetailInterface;
}

const ShellObjectRef& TShellFolder::ShellFolder2() {
    DetailInterface();
    return FIShellFolder2;
}

const ShellObjectRef& TShellFolder::ShellDetails() {
    DetailInterface();
    return FIShellDetails;
}

void TShellFolder::LoadColumnDetails(TShellFolder* RootFolder, ShellWindow window, int columnCount) {
    if (static_cast<int>(FDetails.size()) >= columnCount || !RootFolder) return;
    FDetails.clear();
    FViewHandle = window;
    const ShellObjectRef& source = RootFolder->ShellFolder2() ? RootFolder->ShellFolder2() : RootFolder->ShellDetails();
    if (source) {
        for (int column = 1; column <= columnCount; ++column) {
            auto name = source->DetailsOf(FPIDL.get(), static_cast<unsigned>(column));
            FDetails.push_back(name ? TidyDisplayText(NameRecordText(*name, FPIDL.get())) : std::u16string());
        }
        return;
    }
    if (RootFolder->Properties() & (1u << fpFileSystem)) LoadFileSystemDetails(columnCount);
}

void TShellFolder::LoadFileSystemDetails(int columnCount) {
    platform::DirectoryEntry entry;
    auto& files = platform::GetFiles();
    auto search = files.FindFirst(PathName(), entry);
    if (!search) {
        // The platform's reason; a search that gives none found nothing: "file not found".
        constexpr std::uint32_t ErrorFileNotFound = 2;
        const std::uint32_t reason = files.LastErrorCode();
        std::u16string message = FormatShellMessage(SGetFolderDetailsError, DisplayName());
        message.replace(message.rfind(u"%x"), 2, Hex(reason ? reason : ErrorFileNotFound));
        throw EInvalidPath(message);
    }
    const bool directory = (entry.Attributes & platform::AttrDirectory) != 0;
    const std::int64_t size =
        directory ? -1 : static_cast<std::int64_t>((std::uint64_t{entry.SizeHigh} << 32) | entry.SizeLow);
    const auto dot = entry.Name.find_last_of(u'.');
    const util::TDateTime date = directory ? -1 : LocalDosDate(entry.Times.LastWrite);
    const std::u16string columns[4] = {
        platform::FromUtf8(std::to_string(size)),
        dot == std::u16string::npos ? std::u16string() : entry.Name.substr(dot),
        DateTimeText(date),
        platform::FromUtf8(std::to_string(entry.Attributes)),
    };
    for (int column = 1; column <= columnCount && column <= 4; ++column)
        FDetails.push_back(TidyDisplayText(columns[column - 1]));
}

std::unique_ptr<TShellFolder> FolderFromAbsoluteId(PCItemIDList list) {
    ShellObjectRef desktop = DesktopShellFolder();
    ShellObjectRef folder = BindItemFolder(desktop, list, 0);
    return std::make_unique<TShellFolder>(DesktopItem(), list, folder ? folder : desktop);
}

std::unique_ptr<TShellFolder> ResolveRoot(std::unique_ptr<TShellFolder>& current, const TRoot& oldRoot, TRoot& root) {
    IdListPtr list;
    const int kind = RootFolderKind(root);
    if (kind >= 0) {
        list = platform::GetShellNamespace().SpecialFolder(0, RootFolderCsidl[static_cast<std::size_t>(kind)]);
    } else if (!root.empty()) {
        if (root.back() == u':') root += u'\\';
        list = DesktopShellFolder()->ParseDisplayName(0, root);
    }
    if (!list) {
        const std::u16string message = FormatShellMessage(SErrorSettingPath, root);
        root = oldRoot;
        throw ui::Exception(message);
    }
    auto item = FolderFromAbsoluteId(list.get());
    current.reset();
    return item;
}

}  // namespace shell

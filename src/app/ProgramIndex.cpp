#include "app/ProgramIndex.h"

#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "platform/Files.h"
#include "platform/ShellIcons.h"
#include "platform/ShellNamespace.h"
#include "shell/IdList.h"
#include "shell/ShellFolder.h"

namespace app {

namespace {

using platform::ShellAttribute;
using platform::ShellNameStyle;

class IndexWalk {
public:
    IndexWalk(platform::ShellNamespace& shell, platform::Files& files, const std::atomic<bool>& stop,
              ProgramIndexLimits limits)
        : FShell(shell), FFiles(files), FStop(stop), FLimits(limits) {}

    void ReadRoot(const shell::ShellObjectRef& desktop, int specialFolder) {
        shell::IdListPtr root = FShell.SpecialFolder(0, specialFolder);
        if (!root) return;
        shell::ShellObjectRef folder = desktop->BindToObject(root.get(), platform::ShellFace::Folder);
        if (!folder) return;
        const std::u16string rootPath = shell::ItemDisplayText(desktop, root.get(), ShellNameStyle::ForParsing);
        if (rootPath.empty()) return;
        FRootLength = rootPath.size();
        const std::u16string key = FoldForFind(FFiles.FinalPath(rootPath));
        if (!FWalked.insert(key).second) return;  // the same folder named twice
        Walk(folder, root.get(), key, u"", 0);
    }

    std::vector<FindEntry> Take() { return std::move(FEntries); }

private:
    void Walk(const shell::ShellObjectRef& folder, shell::PCItemIDList absolute, const std::u16string& key,
              const std::u16string& place, int depth) {
        if (depth >= FLimits.MaxDepth) return;
        const auto quiet = FShell.QuietCriticalErrors();
        auto items = folder->EnumObjects(0, platform::ShellItemKinds{true, true, false});
        if (!items) return;
        while (!FStop.load(std::memory_order_relaxed) && FEntries.size() < FLimits.MaxEntries) {
            shell::IdListPtr item = items->Next();
            if (!item) break;
            ReadItem(folder, absolute, item.get(), key, place, depth);
        }
    }

    void ReadItem(const shell::ShellObjectRef& folder, shell::PCItemIDList parentAbsolute, shell::PCItemIDList item,
                  const std::u16string& parentKey, const std::u16string& place, int depth) {
        std::u16string path = shell::ItemDisplayText(folder, item, ShellNameStyle::ForParsing);
        if (path.size() <= FRootLength) return;
        platform::ShellAttributes attributes{ShellAttribute::Folder, ShellAttribute::Link};
        if (!folder->AttributesOf(item, attributes)) attributes = {};
        // Once for both folders: the place below the root names the entry. A folder found in both
        // is one result, but what each holds is read.
        const bool known = !FPlaces.insert(FoldForFind(std::u16string_view(path).substr(FRootLength))).second;
        const bool isFolder = attributes.Has(ShellAttribute::Folder) && !attributes.Has(ShellAttribute::Link);
        if (known && !isFolder) return;
        FindEntry entry;
        auto name = folder->DisplayNameOf(item, ShellNameStyle::Normal);
        entry.Name = name ? shell::NameRecordText(*name, item) : std::u16string();
        if (entry.Name.empty()) return;
        entry.Path = path;
        entry.PathKey = FoldForFind(path);
        entry.Folder = place;
        entry.IsFolder = isFolder;
        shell::IdListPtr absolute(shell::IdJoin(parentAbsolute, item));
        std::optional<int> icon;
        if (!entry.IsFolder) {
            if (const auto shortcut = FShell.ReadShortcut(path)) {
                const std::u16string& target = shortcut->Target;
                const std::size_t slash = target.find_last_of(u"\\/");
                entry.Target = slash == std::u16string::npos ? target : target.substr(slash + 1);
                entry.TargetText = FindText::Of(entry.Target);
                // A shortcut without an icon of its own shows its target's: asked once per target
                // instead of having the shell read the shortcut again for every entry.
                if (shortcut->IconFile.empty() && !target.empty()) icon = TargetIcon(target);
            }
        }
        if (!icon && entry.IsFolder) icon = platform::GetShellIcons().FolderIconIndex(path, platform::IconStyle{});
        if (!icon && absolute) icon = FShell.SysIconIndex(absolute.get(), platform::IconStyle{});
        entry.Icon = icon.value_or(0);
        entry.NameText = FindText::Of(entry.Name);
        const std::u16string childPlace = place.empty() ? entry.Name : place + std::u16string(FindFolderSeparator) + entry.Name;
        const bool walk = entry.IsFolder;
        if (!known) FEntries.push_back(std::move(entry));
        if (!walk || !absolute) return;
        // A folder reached through a link is known by where the link leads; any other by its place.
        const std::u16string final = FFiles.FinalPath(path);
        const std::size_t slash = path.find_last_of(u'\\');
        const std::u16string key = final != path ? FoldForFind(final)
                                                 : parentKey + u'\\' + FoldForFind(std::u16string_view(path).substr(slash + 1));
        if (!FWalked.insert(key).second) return;
        shell::ShellObjectRef child = folder->BindToObject(item, platform::ShellFace::Folder);
        if (child) Walk(child, absolute.get(), key, childPlace, depth + 1);
    }

    std::optional<int> TargetIcon(const std::u16string& target) {
        const std::u16string key = FoldForFind(target);
        if (auto known = FTargetIcons.find(key); known != FTargetIcons.end()) return known->second;
        const std::optional<int> icon = platform::GetShellIcons().SysIconIndex(target, platform::IconStyle{});
        FTargetIcons.emplace(key, icon);
        return icon;
    }

    platform::ShellNamespace& FShell;
    platform::Files& FFiles;
    std::unordered_map<std::u16string, std::optional<int>> FTargetIcons;
    const std::atomic<bool>& FStop;
    ProgramIndexLimits FLimits;
    std::size_t FRootLength = 0;
    std::unordered_set<std::u16string> FWalked;
    std::unordered_set<std::u16string> FPlaces;
    std::vector<FindEntry> FEntries;
};

}  // namespace

std::vector<FindEntry> ReadProgramIndex(platform::ShellNamespace& shell, platform::Files& files,
                                        const std::vector<int>& specialFolders, const std::atomic<bool>& stop,
                                        ProgramIndexLimits limits) {
    shell::ShellObjectRef desktop = shell.Desktop();
    if (!desktop) return {};
    IndexWalk walk(shell, files, stop, limits);
    for (int specialFolder : specialFolders) {
        if (stop.load()) break;
        walk.ReadRoot(desktop, specialFolder);
    }
    std::vector<FindEntry> entries = walk.Take();
    NumberInNaturalOrder(entries);
    return entries;
}

}  // namespace app

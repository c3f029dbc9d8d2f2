#pragma once
// A component that watches one directory and calls its handler on the GUI thread whenever the
// directory changes in one of the chosen ways. A worker thread waits for the platform's change
// signal and hands each change over synchronously. The worker starts the first time a handler is
// set, takes new options while it runs, and is stopped (not waited for) when the notifier goes.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/Component.h"

namespace shell {

enum TNotifyFilter { nfFileNameChange, nfDirNameChange, nfAttributeChange, nfSizeChange, nfWriteChange, nfSecurityChange };
using TNotifyFilters = unsigned;
constexpr TNotifyFilters Filters(TNotifyFilter f) { return 1u << f; }
// The platform's flag word for a set of filters.
std::uint32_t NotifyFlags(TNotifyFilters filters);

using TThreadMethod = std::function<void()>;

class TShellChangeThread;

class TCustomShellChangeNotifier : public ui::TComponent {
public:
    explicit TCustomShellChangeNotifier(ui::TComponent* AOwner);
    ~TCustomShellChangeNotifier() override;
    std::u16string ClassName() const override { return u"TCustomShellChangeNotifier"; }

    TNotifyFilters NotifyFilters() const { return FFilters; }
    void SetNotifyFilters(TNotifyFilters filters);
    const std::u16string& Root() const { return FRoot; }
    // A text equal to the current one but for ASCII case changes nothing.
    void SetRoot(const std::u16string& root);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool subtree);
    const TThreadMethod& OnChange() const { return FOnChange; }
    void SetOnChange(TThreadMethod handler);

    // Whether a worker runs for this notifier now (it ends by itself when the watch fails).
    bool Watching() const;
    // Workers of any notifier that have not ended yet (stopped ones end promptly), and all that
    // were ever started.
    static int RunningWorkers();
    static int StartedWorkers();

private:
    void PassOptions();
    void Start();

    TNotifyFilters FFilters = Filters(nfFileNameChange) | Filters(nfDirNameChange);
    bool FWatchSubTree = true;
    std::u16string FRoot = u"C:\\";
    std::shared_ptr<TShellChangeThread> FThread;
    TThreadMethod FOnChange;
};

using TShellChangeNotifier = TCustomShellChangeNotifier;

}  // namespace shell

// Icons asked for by a worker: the same answers as asked directly, each item asked once, the
// program's own question answered at once when the worker has not come to the item, and a
// prefetch that ends early stops its worker.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "platform/ShellIcons.h"
#include "shell/IconPrefetch.h"
#include "shell/ShellFolder.h"
#include "support/FileShell.h"

using namespace shell;

namespace {
// The file shell, counting icon questions by thread; with the gate closed, the worker's
// questions wait for it to open.
class CountingShell : public platform::posix::FileShellNamespace {
public:
    std::optional<int> SysIconIndex(const std::uint8_t* absolute, platform::IconStyle style) override {
        std::unique_lock<std::mutex> lock(FLock);
        const bool worker = std::this_thread::get_id() != FProgram;
        if (worker) {
            ++WorkerStarted;
            FChanged.notify_all();
            FChanged.wait(lock, [&] { return FOpen; });
        }
        ++Asked;
        if (worker) ++AskedByWorkerThread;
        lock.unlock();
        return platform::posix::FileShellNamespace::SysIconIndex(absolute, style);
    }
    std::unique_ptr<platform::ShellScope> EnterWorkerThread() override {
        std::lock_guard<std::mutex> lock(FLock);
        ++Scopes;
        return platform::posix::FileShellNamespace::EnterWorkerThread();
    }
    void Open() {
        std::lock_guard<std::mutex> lock(FLock);
        FOpen = true;
        FChanged.notify_all();
    }
    void WaitForWorker() {
        std::unique_lock<std::mutex> lock(FLock);
        FChanged.wait(lock, [&] { return WorkerStarted > 0; });
    }
    int Asked = 0, AskedByWorkerThread = 0, WorkerStarted = 0, Scopes = 0;

private:
    std::mutex FLock;
    std::condition_variable FChanged;
    bool FOpen = false;
    std::thread::id FProgram = std::this_thread::get_id();
};

IdListPtr ListOf(const std::u16string& path) { return DesktopShellFolder()->ParseDisplayName(0, path); }
}  // namespace

TEST(IconPrefetch, AnswersAsTheShellDoesEachItemAskedOnceAndTheProgramNeverWaitsLong) {
    FileShellFixture fixture;
    const std::vector<std::string> names = {"a.txt", "b.desktop", "c/", "d.lnk", "e.txt"};
    for (const std::string& name : names)
        name.back() == '/' ? fixture.MakeFolder("m/" + name) : fixture.MakeFile("m/" + name);
    std::vector<IdListPtr> lists;
    std::vector<int> direct;
    for (const std::string& name : names) {
        lists.push_back(ListOf(fixture.Text("m/" + name)));
        ASSERT_TRUE(lists.back());
        direct.push_back(platform::GetShellNamespace().SysIconIndex(lists.back().get(), platform::SmallIcon).value_or(0));
    }
    EXPECT_NE(direct[0], direct[2]);  // a file and a folder differ: the comparison below means something

    CountingShell shell;
    {
        std::vector<IdListPtr> copies;
        for (const IdListPtr& list : lists) copies.emplace_back(IdClone(list.get()));
        TIconPrefetch prefetch(shell, std::move(copies), platform::SmallIcon);
        shell.WaitForWorker();  // the worker holds the first item, its question waits at the gate
        // The program needs the last item before the worker came to it: asked here, at once.
        EXPECT_EQ(prefetch.IconIndex(4), direct[4]);
        shell.Open();
        for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(prefetch.IconIndex(i), direct[i]) << names[i];
        EXPECT_EQ(prefetch.IconIndex(99), 0);  // beyond the lists
    }
    // Every item was asked exactly once, the last by the program, the first by the worker.
    EXPECT_EQ(shell.Asked, 5);
    EXPECT_GE(shell.AskedByWorkerThread, 1);
    EXPECT_LE(shell.AskedByWorkerThread, 4);
    EXPECT_EQ(shell.Scopes, 1);

    // Stopped while its worker waits on the first item: the worker asks no further; the
    // program's questions are answered all the same.
    CountingShell stopped;
    {
        std::vector<IdListPtr> copies;
        for (const IdListPtr& list : lists) copies.emplace_back(IdClone(list.get()));
        TIconPrefetch prefetch(stopped, std::move(copies), platform::SmallIcon);
        stopped.WaitForWorker();
        prefetch.Stop();
        stopped.Open();
        EXPECT_EQ(prefetch.IconIndex(3), direct[3]);
    }
    EXPECT_EQ(stopped.AskedByWorkerThread, 1);
    EXPECT_EQ(stopped.Asked, 2);
}

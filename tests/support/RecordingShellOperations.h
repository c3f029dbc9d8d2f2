#pragma once
// The shell's operations and the session, recorded instead of carried out (a folder browser that
// answers from a script), installed for one test.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ShellOperations.h"

class RecordingShellOperations : public platform::ShellOperations, public platform::Session {
public:
    RecordingShellOperations()
        : previousOperations_(platform::SetShellOperations(this)), previousSession_(platform::SetSession(this)) {}
    ~RecordingShellOperations() override {
        platform::SetShellOperations(previousOperations_);
        platform::SetSession(previousSession_);
    }
    RecordingShellOperations(const RecordingShellOperations&) = delete;
    RecordingShellOperations& operator=(const RecordingShellOperations&) = delete;

    struct Started {
        std::u16string Verb, File, Parameters;
        platform::ShowState Show;
        std::u16string Directory;
    };
    struct FileOp {
        platform::FileOperationKind Operation;
        std::u16string From, To;
        platform::FileOperationStyle Flags;
    };
    std::vector<Started> Starts;
    std::vector<FileOp> FileOps;
    std::vector<platform::ExitKind> SessionEnds;
    bool FileOpResult = true;

    // The browser: what it was asked, what the callbacks did, and the answer it gives.
    struct Browser : platform::FolderBrowser {
        std::u16string Caption, Selection, Status;
        void SetCaption(const std::u16string& c) override { Caption = c; }
        void SetSelection(const std::u16string& p) override { Selection = p; }
        void SetStatusText(const std::u16string& t) override { Status = t; }
    } Browsed;
    std::u16string BrowseTitle;
    platform::FolderBrowseRequest BrowseOptions;
    std::vector<std::u16string> SelectionsToShow;  // the user moves through these
    std::optional<std::u16string> BrowseAnswer;

    bool Execute(platform::ShellWindow, const std::u16string& verb, const std::u16string& file,
                 const std::u16string& parameters, const std::u16string& directory, platform::ShowState show) override {
        Starts.push_back({verb, file, parameters, show, directory});
        return true;
    }
    bool FileOperation(platform::ShellWindow, platform::FileOperationKind operation, const std::u16string& from,
                       const std::u16string& to, platform::FileOperationStyle flags) override {
        FileOps.push_back({operation, from, to, flags});
        return FileOpResult;
    }
    std::optional<std::u16string> BrowseForFolder(const platform::FolderBrowseRequest& request) override {
        BrowseTitle = request.Title;
        BrowseOptions.NewDialogStyle = request.NewDialogStyle;
        BrowseOptions.EditBox = request.EditBox;
        BrowseOptions.IncludeFiles = request.IncludeFiles;
        if (request.OnInitialized) request.OnInitialized(Browsed);
        for (const auto& path : SelectionsToShow)
            if (request.OnSelectionChanged) request.OnSelectionChanged(Browsed, path);
        return BrowseAnswer;
    }
    // Start is recorded as Execute is; it fails with this answer when one is set.
    std::optional<platform::StartResult> StartFailure;
    // Runs as a start or the file dialog begins: what the caller had made ready by then.
    std::function<void()> OnStartOrChoose;
    platform::StartResult Start(platform::ShellWindow owner, const std::u16string& verb, const std::u16string& file,
                                const std::u16string& parameters, const std::u16string& directory,
                                platform::ShowState show) override {
        if (OnStartOrChoose) OnStartOrChoose();
        Execute(owner, verb, file, parameters, directory, show);
        if (StartFailure) return *StartFailure;
        platform::StartResult started;
        started.Started = true;
        return started;
    }
    // The file dialog: what it was asked, and the answer it gives.
    platform::FileOpenRequest FileRequest;
    std::optional<std::u16string> FileAnswer;
    std::optional<std::u16string> ChooseFile(const platform::FileOpenRequest& request) override {
        if (OnStartOrChoose) OnStartOrChoose();
        FileRequest = request;
        return FileAnswer;
    }
    bool ExitSystem(platform::ExitKind kind) override {
        SessionEnds.push_back(kind);
        return false;
    }

private:
    platform::ShellOperations* previousOperations_;
    platform::Session* previousSession_;
};

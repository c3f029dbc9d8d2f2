#pragma once
// The process-wide application: title, message processing, error reporting, message boxes.
#include <exception>
#include <functional>
#include <string>

namespace ui {

// A message box: its sign, its buttons, and the button that answered it.
enum class TMsgIcon { None, Error, Question, Warning, Information };
enum class TMsgButtons { Ok, OkCancel, YesNo };
enum class TMsgAnswer { Ok, Cancel, Yes, No };

class TApplication {
public:
    // Installs ProcessMessages as the pump that waiting loops of the program use.
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    const std::u16string& Title() const { return FTitle; }
    void SetTitle(const std::u16string& title);
    void ProcessMessages();
    // Ends every message loop.
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    // Lets loops run again after Terminate ended them (a program that shows a window after
    // another one ended the loops, and the tests that do the same).
    void ResetTerminated() { FTerminated = false; }
    TMsgAnswer MessageBox(const std::u16string& text, const std::u16string& caption, TMsgIcon icon,
                          TMsgButtons buttons = TMsgButtons::Ok);

    // A program whose first frame needs none of the shell's services asks for them on demand
    // before it first uses the backend (its title, its first form): the backend then starts
    // them at StartShellServices, not with itself, and the program calls that before it
    // completes, browses or starts anything.
    void SetShellServicesOnDemand(bool onDemand) { FShellServicesOnDemand = onDemand; }
    bool ShellServicesOnDemand() const { return FShellServicesOnDemand; }

    // An error escaped an event handler: OnException if set, else a message box with its text.
    void HandleException(const std::exception& error);
    std::function<void(const std::exception&)> OnException;

private:
    std::u16string FTitle = u"Nimbrel";
    bool FTerminated = false;
    bool FShellServicesOnDemand = false;
};

TApplication& Application();

}  // namespace ui

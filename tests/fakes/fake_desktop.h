#pragma once
// A desktop of top-level windows that changes the way Windows does under the
// operations the program uses, counts the calls made to it, and runs a test's
// code inside an operation, where the real one lets messages run.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/ports.h"

namespace qov::fakes {

struct FakeWindow {
    std::string title = "";
    std::string className = "TestClass";
    ShowState state = ShowState::Normal;
    bool visible = true;
    WindowRect rect{0, 0, 640, 480};
    bool topmost = false;
};

struct Operation {
    enum Kind { Show, SystemCommand, BringToFront, MakeTopmost } kind;
    int argument;  // the ShowCommand or SystemCommand value; 0 otherwise
    WindowHandle window;
    bool operator==(const Operation&) const = default;
};

class FakeDesktop : public WindowSystem {
public:
    // Windows are enumerated newest first: a new window opens on top of the others.
    WindowHandle Add(std::string title, FakeWindow window = {}) {
        window.title = std::move(title);
        windows.emplace(nextHandle_ += 4, std::move(window));
        return nextHandle_;
    }

    std::map<WindowHandle, FakeWindow> windows;
    WindowHandle foreground = 0;
    int enumerations = 0, reads = 0, visibilityReads = 0;  // reads: every call that inspects
    std::vector<Operation> operations;                      // in call order
    std::function<void(WindowHandle)> duringOperation;      // before the operation's effect
    std::function<void()> duringTitleRead;

    void EnumerateWindows(const std::function<void(WindowHandle)>& visit) override;
    std::string Title(WindowHandle w) override {
        if (duringTitleRead) duringTitleRead();
        return Read(w, &FakeWindow::title, std::string());
    }
    std::string ClassName(WindowHandle w) override {
        return Read(w, &FakeWindow::className, std::string());
    }
    bool Exists(WindowHandle w) override {
        ++reads;
        return windows.contains(w);
    }
    bool IsVisible(WindowHandle w) override {
        ++visibilityReads;
        return Read(w, &FakeWindow::visible, false);
    }
    ShowState GetShowState(WindowHandle w) override {
        return Read(w, &FakeWindow::state, ShowState::Unknown);
    }
    WindowHandle Foreground() override {
        ++reads;
        return foreground;
    }
    WindowRect Rectangle(WindowHandle w) override { return Read(w, &FakeWindow::rect, {}); }
    void Show(WindowHandle window, ShowCommand command) override;
    void SendSystemCommand(WindowHandle window, SystemCommand command) override;
    void BringToFront(WindowHandle window) override;
    void MakeTopmost(WindowHandle window) override;

private:
    template <class T>
    T Read(WindowHandle w, T FakeWindow::*field, T gone) {
        ++reads;
        const auto found = windows.find(w);
        return found == windows.end() ? gone : found->second.*field;
    }
    FakeWindow* Operate(WindowHandle window, Operation::Kind kind, int argument);
    void SetState(WindowHandle window, FakeWindow& found, ShowState state);

    WindowHandle nextHandle_ = 0x10010;
};

}  // namespace qov::fakes

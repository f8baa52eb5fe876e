#pragma once
// A desktop of top-level windows that tests change directly. It counts the
// calls made to it and records the operations without carrying them out, and
// runs a test's code where the real one lets messages run.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/window_operations.h"

namespace qov::fakes {

struct FakeWindow {
    std::string title = "";  // a default keeps designated initialisers quiet
    std::string className = "TestClass";
    ShowState state = ShowState::Normal;
    bool visible = true;
    bool cloaked = false;  // counts only while visible, as DWM's answer does
    WindowRect rect{0, 0, 640, 480};
    std::optional<WindowRect> normal = std::nullopt;  // the placement's, where it is not `rect` (minimised, maximised)
    std::optional<WindowRect> frame = std::nullopt;   // the drawn part of `rect`, where it is smaller
    bool topmost = false;
    std::uint32_t processId = 100;
    std::string imagePath = "C:\\Program Files\\Test\\test.exe";
    bool responds = true;
    bool normalKnown = true;  // false: the system will not tell a minimised or maximised window's normal place
};

struct Operation {
    enum Kind { Show, SystemCommand, BringToFront, MakeTopmost, RemoveTopmost, SetRectangle, SetPlacement, MoveMaximized } kind;
    int argument;  // the ShowCommand, SystemCommand or placement's ShowState value; 0 otherwise
    WindowHandle window;
    WindowRect rect{};  // SetRectangle's, or a placement's normal rectangle
    bool operator==(const Operation&) const = default;
};

class FakeDesktop : public WindowSystem {
public:
    // A new window opens on top of the others, so it is enumerated first.
    WindowHandle Add(std::string title, FakeWindow window = {}) {
        window.title = std::move(title);
        windows.emplace(nextHandle_ += 4, std::move(window));
        return nextHandle_;
    }

    std::map<WindowHandle, FakeWindow> windows;
    WindowHandle foreground = 0;
    std::vector<Monitor> monitors{{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}};
    int enumerations = 0, reads = 0;  // reads: every call that inspects a window
    std::vector<Operation> operations;
    std::function<void()> duringTitleRead = [] {}, duringOperation = [] {};
    // What each operation comes to; a test may also carry it out here.
    std::function<Outcome(const Operation&)> outcomeOf = [](const Operation&) { return Outcome::Done; };

    // The windows operated on since the last call, in order.
    std::vector<WindowHandle> Touched() {
        std::vector<WindowHandle> touched;
        for (const Operation& op : operations) touched.push_back(op.window);
        return operations.clear(), touched;
    }

    void EnumerateWindows(const std::function<void(WindowHandle)>& visit) override {
        ++enumerations;
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) visit(it->first);
    }
    // A window that is gone reads as "", invisible, of unknown state and empty.
    std::string Title(WindowHandle w) override {
        return duringTitleRead(), Read(w, &FakeWindow::title);
    }
    std::string ClassName(WindowHandle w) override { return Read(w, &FakeWindow::className); }
    Visibility GetVisibility(WindowHandle w) override {
        if (!Read(w, &FakeWindow::visible)) return Visibility::Hidden;
        return windows.at(w).cloaked ? Visibility::CloakedByShell : Visibility::Visible;
    }
    bool Responds(WindowHandle w) override { return Read(w, &FakeWindow::responds); }
    ShowState GetShowState(WindowHandle w) override { return Read(w, &FakeWindow::state); }
    WindowRect Rectangle(WindowHandle w) override { return Read(w, &FakeWindow::rect); }
    bool IsTopmost(WindowHandle w) override { return Read(w, &FakeWindow::topmost); }
    std::uint32_t ProcessId(WindowHandle w) override { return Read(w, &FakeWindow::processId); }
    std::string ProcessImagePath(WindowHandle w) override { return Read(w, &FakeWindow::imagePath); }
    bool Exists(WindowHandle w) override { return ++reads, windows.contains(w); }
    WindowHandle Foreground() override { return ++reads, foreground; }

    Outcome Show(WindowHandle w, ShowCommand c) override { return Record({Operation::Show, int(c), w}); }
    Outcome SendSystemCommand(WindowHandle w, SystemCommand c) override {
        return Record({Operation::SystemCommand, int(c), w});
    }
    Outcome BringToFront(WindowHandle w) override { return Record({Operation::BringToFront, 0, w}); }
    Outcome MakeTopmost(WindowHandle w) override { return Record({Operation::MakeTopmost, 0, w}); }
    Outcome RemoveTopmost(WindowHandle w) override { return Record({Operation::RemoveTopmost, 0, w}); }
    Outcome SetRectangle(WindowHandle w, const WindowRect& r) override {
        return Record({Operation::SetRectangle, 0, w, r});
    }
    std::vector<Monitor> Monitors() override { return monitors; }
    std::optional<WindowPlacement> Placement(WindowHandle w) override {
        ++reads;
        const auto found = windows.find(w);
        if (found == windows.end() || !found->second.normalKnown) return std::nullopt;
        return WindowPlacement{found->second.state, found->second.normal.value_or(found->second.rect)};
    }
    Outcome SetPlacement(WindowHandle w, const WindowPlacement& p) override {
        return Record({Operation::SetPlacement, int(p.state), w, p.normal});
    }
    Outcome MoveMaximized(WindowHandle w, const WindowRect& normal) override {
        return Record({Operation::MoveMaximized, 0, w, normal});
    }
    WindowRect VisibleFrame(WindowHandle w) override {
        const auto found = windows.find(w);
        return found == windows.end() ? WindowRect{} : found->second.frame.value_or(found->second.rect);
    }

private:
    template <class T>
    T Read(WindowHandle w, T FakeWindow::*field) {
        ++reads;
        const auto found = windows.find(w);
        return found == windows.end() ? T() : found->second.*field;
    }
    Outcome Record(const Operation& operation) {
        operations.push_back(operation), duringOperation();
        return outcomeOf(operation);
    }

    WindowHandle nextHandle_ = 0x10010;
};

}  // namespace qov::fakes

#pragma once
// A window system that forwards to another and adds up the time spent in
// each kind of read, to show where a refresh spends its time.
#include <array>
#include <string_view>

#include "core/window_operations.h"
#include "stopwatch.h"

namespace qov::bench {

class TimedWindowSystem final : public WindowSystem {
public:
    enum Call { kList, kTitle, kClass, kExists, kVisible, kShowState, kForeground, kRect, kCalls };
    static constexpr std::array<std::string_view, kCalls> kNames{
        "listing", "title", "class", "IsWindow", "visible", "show state", "foreground", "rect"};

    explicit TimedWindowSystem(WindowSystem& inner) : inner_(inner) {}

private:
    // Defined before its callers, which deduce their types from it. Listing
    // is timed whole, the visits included: they only collect handles.
    template <typename Read>
    auto Time(Call call, Read read) {
        const double start = NowMs();
        auto result = read();
        ms_[call] += NowMs() - start;
        ++counts_[call];
        return result;
    }

public:

    double Ms(Call call) const { return ms_[call]; }
    long Count(Call call) const { return counts_[call]; }
    void Clear() { ms_ = {}; counts_ = {}; }

    void EnumerateWindows(const std::function<void(WindowHandle)>& visit) override {
        Time(kList, [&] { inner_.EnumerateWindows(visit); return 0; });
    }
    std::string Title(WindowHandle w) override { return Time(kTitle, [&] { return inner_.Title(w); }); }
    std::string ClassName(WindowHandle w) override {
        return Time(kClass, [&] { return inner_.ClassName(w); });
    }
    bool Exists(WindowHandle w) override { return Time(kExists, [&] { return inner_.Exists(w); }); }
    Visibility GetVisibility(WindowHandle w) override {
        return Time(kVisible, [&] { return inner_.GetVisibility(w); });
    }
    ShowState GetShowState(WindowHandle w) override {
        return Time(kShowState, [&] { return inner_.GetShowState(w); });
    }
    WindowHandle Foreground() override { return Time(kForeground, [&] { return inner_.Foreground(); }); }
    WindowRect Rectangle(WindowHandle w) override {
        return Time(kRect, [&] { return inner_.Rectangle(w); });
    }
    // Not read by a refresh, so not timed.
    bool IsTopmost(WindowHandle w) override { return inner_.IsTopmost(w); }
    std::uint32_t ProcessId(WindowHandle w) override { return inner_.ProcessId(w); }
    std::string ProcessImagePath(WindowHandle w) override { return inner_.ProcessImagePath(w); }
    Outcome Show(WindowHandle w, ShowCommand c) override { return inner_.Show(w, c); }
    Outcome SendSystemCommand(WindowHandle w, SystemCommand c) override {
        return inner_.SendSystemCommand(w, c);
    }
    Outcome BringToFront(WindowHandle w) override { return inner_.BringToFront(w); }
    Outcome MakeTopmost(WindowHandle w) override { return inner_.MakeTopmost(w); }
    Outcome RemoveTopmost(WindowHandle w) override { return inner_.RemoveTopmost(w); }
    Outcome SetRectangle(WindowHandle w, const WindowRect& r) override { return inner_.SetRectangle(w, r); }
    bool Responds(WindowHandle w) override { return inner_.Responds(w); }
    std::vector<Monitor> Monitors() override { return inner_.Monitors(); }
    std::optional<WindowPlacement> Placement(WindowHandle w) override { return inner_.Placement(w); }
    Outcome SetPlacement(WindowHandle w, const WindowPlacement& p) override {
        return inner_.SetPlacement(w, p);
    }
    WindowRect VisibleFrame(WindowHandle w) override { return inner_.VisibleFrame(w); }
    Outcome MoveMaximized(WindowHandle w, const WindowRect& normal) override {
        return inner_.MoveMaximized(w, normal);
    }

private:
    WindowSystem& inner_;
    std::array<double, kCalls> ms_{};
    std::array<long, kCalls> counts_{};
};

}  // namespace qov::bench

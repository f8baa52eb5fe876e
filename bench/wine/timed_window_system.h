#pragma once
// A window system that forwards to another and adds up the time spent in
// each kind of read, to show where a refresh spends its time.
#include <array>
#include <string_view>

#include "platform/window_system.h"
#include "stopwatch.h"

namespace qov::bench {

class TimedWindowSystem : public WindowSystem {
public:
    enum Call { kList, kTitle, kClass, kExists, kVisible, kPlacement, kForeground, kRect, kCalls };
    static constexpr std::array<std::string_view, kCalls> kNames{
        "listing", "title", "class", "IsWindow", "visible", "placement", "foreground", "rect"};

    explicit TimedWindowSystem(WindowSystem& inner) : inner_(inner) {}

private:
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

    void EnumerateWindows(const std::function<bool(WindowHandle)>& visit) override {
        Time(kList, [&] { inner_.EnumerateWindows(visit); return 0; });
    }
    std::string WindowTitle(WindowHandle w) override {
        return Time(kTitle, [&] { return inner_.WindowTitle(w); });
    }
    std::string ClassName(WindowHandle w) override {
        return Time(kClass, [&] { return inner_.ClassName(w); });
    }
    bool IsWindow(WindowHandle w) override { return Time(kExists, [&] { return inner_.IsWindow(w); }); }
    bool IsVisible(WindowHandle w) override {
        return Time(kVisible, [&] { return inner_.IsVisible(w); });
    }
    int PlacementShowState(WindowHandle w) override {
        return Time(kPlacement, [&] { return inner_.PlacementShowState(w); });
    }
    WindowHandle ForegroundWindow() override {
        return Time(kForeground, [&] { return inner_.ForegroundWindow(); });
    }
    WindowRect WindowRectangle(WindowHandle w) override {
        return Time(kRect, [&] { return inner_.WindowRectangle(w); });
    }
    void ShowWindow(WindowHandle w, ShowCommand c) override { inner_.ShowWindow(w, c); }
    void SendSystemCommand(WindowHandle w, SystemCommand c) override { inner_.SendSystemCommand(w, c); }
    void SetForegroundWindow(WindowHandle w) override { inner_.SetForegroundWindow(w); }
    void MakeTopmost(WindowHandle w) override { inner_.MakeTopmost(w); }

private:
    WindowSystem& inner_;
    std::array<double, kCalls> ms_{};
    std::array<long, kCalls> counts_{};
};

}  // namespace qov::bench

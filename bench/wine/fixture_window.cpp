#include "fixture_window.h"

namespace qov::bench {
namespace {

void Report(HWND window, DWORD event) { NotifyWinEvent(event, window, OBJID_WINDOW, CHILDID_SELF); }

LRESULT CALLBACK FixtureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        Report(window, EVENT_OBJECT_NAMECHANGE);
        return result;
    }
    case WM_DESTROY:
        if (IsWindowVisible(window)) Report(window, EVENT_OBJECT_HIDE);
        Report(window, EVENT_OBJECT_DESTROY);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterOnce() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = FixtureProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kFixtureClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

win32::UniqueWindow CreateFixtureWindow(const std::wstring& title, int index) {
    RegisterOnce();
    // Cascaded over the desktop, small, so they overlap as real ones do.
    const int x = (index * 13) % 800;
    const int y = (index * 7) % 560;
    win32::UniqueWindow window(CreateWindowExW(0, kFixtureClass, title.c_str(), WS_OVERLAPPEDWINDOW, x, y,
                                               200, 120, nullptr, nullptr, GetModuleHandleW(nullptr),
                                               nullptr));
    if (!window) return window;
    Report(window.get(), EVENT_OBJECT_CREATE);
    ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    Report(window.get(), EVENT_OBJECT_SHOW);
    return window;
}

}  // namespace qov::bench

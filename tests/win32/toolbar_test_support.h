#pragma once
// Real windows for the toolbar object's tests: a top-level form, a host
// child window whose own procedure records what reaches it, and a
// ToolBarHost over that window that docks the way the forms toolkit does.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "toolbar/ctoolbar.h"
#include "toolbar/toolbar_host.h"

namespace qov::toolbar::test_support {

struct HostLog {
    std::vector<WPARAM> commands;  // wParam of each WM_COMMAND
    int sizes = 0;                 // WM_SIZE count
};

inline LRESULT CALLBACK RecordingHostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* log = reinterpret_cast<HostLog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (log != nullptr && msg == WM_COMMAND) log->commands.push_back(wParam);
    if (log != nullptr && msg == WM_SIZE) ++log->sizes;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

inline void RegisterTestClasses() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSW form{};
    form.lpfnWndProc = DefWindowProcW;
    form.hInstance = GetModuleHandleW(nullptr);
    form.lpszClassName = L"QovToolbarTestForm";
    form.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    RegisterClassW(&form);
    WNDCLASSW host = form;
    host.lpfnWndProc = RecordingHostProc;
    host.lpszClassName = L"QovToolbarTestHost";
    RegisterClassW(&host);
    registered = true;
}

// Delivers whatever is queued for this thread.
inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A host picture box: a bordered, tab-stop child of a form.
class TestHost final : public ToolBarHost {
public:
    explicit TestHost(int widthPixels = 600, int heightPixels = 40) {
        RegisterTestClasses();
        form_ = CreateWindowExW(0, L"QovToolbarTestForm", L"toolbar test",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, widthPixels + 40, 400,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"QovToolbarTestHost", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0, 0, widthPixels,
                                heightPixels, form_, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));
        originalProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC));
        Pump();
    }
    ~TestHost() override { DestroyWindow(form_); }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    HWND hwnd() const override { return hwnd_; }
    int Align() const override { return align_; }
    void SetAlign(int align) override { align_ = align; }
    bool Enabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }
    void SetEnabled(bool enabled) override { EnableWindow(hwnd_, enabled); }
    bool Visible() const override { return IsWindowVisible(hwnd_) != FALSE; }
    void SetVisible(bool visible) override {
        visibilityChanges.push_back(visible);
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    }
    float Width() const override { return static_cast<float>(Rect().right - Rect().left) * tpp_; }
    void SetWidth(float twips) override { Resize(Pixels(twips), Rect().bottom - Rect().top); }
    float Height() const override { return static_cast<float>(Rect().bottom - Rect().top) * tpp_; }
    void SetHeight(float twips) override { Resize(Rect().right - Rect().left, Pixels(twips)); }
    float Top() const override { return static_cast<float>(Position().y) * tpp_; }
    void SetTop(float twips) override { Move(Position().x, Pixels(twips)); }
    float Left() const override { return static_cast<float>(Position().x) * tpp_; }
    void SetLeft(float twips) override { Move(Pixels(twips), Position().y); }
    void SetBorderStyle(int borderStyle) override { borderStyle_ = borderStyle; }
    void SetTabStop(bool tabStop) override { tabStop_ = tabStop; }
    float TwipsPerPixelX() const override { return tpp_; }
    float TwipsPerPixelY() const override { return tpp_; }

    int BorderStyle() const { return borderStyle_; }
    bool TabStop() const { return tabStop_; }
    HWND Form() const { return form_; }
    int HeightPixels() const { return Rect().bottom - Rect().top; }
    int WidthPixels() const { return Rect().right - Rect().left; }
    void ResizePixels(int width, int height) { Resize(width, height); }
    // As if the host had moved to a screen of another resolution.
    void SetTwipsPerPixel(float twipsPerPixel) { tpp_ = twipsPerPixel; }

    static constexpr float kTpp = 15;  // the test works in units of 15 twips a pixel
    HostLog log;
    WNDPROC originalProc = nullptr;
    std::vector<bool> visibilityChanges;

private:
    int Pixels(float twips) const { return static_cast<int>(twips / tpp_ + 0.5f); }
    RECT Rect() const {
        RECT r{};
        GetWindowRect(hwnd_, &r);
        return r;
    }
    POINT Position() const {
        RECT r = Rect();
        POINT p{r.left, r.top};
        ScreenToClient(form_, &p);
        return p;
    }
    void Resize(int width, int height) {
        SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }
    void Move(int x, int y) { SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }

    HWND form_ = nullptr;
    HWND hwnd_ = nullptr;
    float tpp_ = kTpp;
    int align_ = 0;
    int borderStyle_ = 1;
    bool tabStop_ = true;
};

// Records the messages a window receives, by subclassing it for the
// lifetime of the recorder.
class MessageRecorder {
public:
    explicit MessageRecorder(HWND window) : window_(window) {
        SetPropW(window_, kProp, this);
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~MessageRecorder() {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropW(window_, kProp);
    }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    struct Entry {
        UINT message;
        WPARAM wParam;
        UINT relayed;  // the message inside a TTM_RELAYEVENT
        LPARAM lParam;
    };
    std::vector<Entry> entries;

    std::vector<Entry> Of(UINT message) const {
        std::vector<Entry> found;
        for (const Entry& e : entries)
            if (e.message == message) found.push_back(e);
        return found;
    }

private:
    static constexpr const wchar_t* kProp = L"QovTestRecorder";
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<MessageRecorder*>(GetPropW(hwnd, kProp));
        const UINT relayed =
            msg == TTM_RELAYEVENT ? reinterpret_cast<const MSG*>(lParam)->message : 0;
        self->entries.push_back({msg, wParam, relayed, lParam});
        return CallWindowProcW(self->previous_, hwnd, msg, wParam, lParam);
    }

    HWND window_;
    WNDPROC previous_ = nullptr;
};

}  // namespace qov::toolbar::test_support

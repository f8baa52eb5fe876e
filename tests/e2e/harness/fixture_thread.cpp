#include "fixture_thread.h"

#include <algorithm>

#include "wait.h"

namespace qov::e2e {
namespace {

constexpr UINT kHangMessage = WM_APP + 1;

bool RegisterFixtureClass(const std::wstring& name, WNDPROC procedure) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = name.c_str();
    // Classes are process-wide: the first fixture of a name registers it for all.
    return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

FixtureThread::FixtureThread(FixtureOptions options)
    : options_(std::move(options)),
      created_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      released_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this] { Run(); });
    WaitForSingleObject(created_.get(), 10000);
}

FixtureThread::~FixtureThread() {
    Release();
    if (thread_.joinable()) {
        // The thread may have ended already when its window was closed.
        PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
        thread_.join();
    }
}

void FixtureThread::Run() {
    thread_id_ = GetCurrentThreadId();
    if (RegisterFixtureClass(options_.class_name, Procedure)) {
        const RECT& r = options_.rect;
        window_ = CreateWindowExW(0, options_.class_name.c_str(), options_.title.c_str(),
                                  WS_OVERLAPPEDWINDOW, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  this);
    }
    if (window_ != nullptr) {
        if (options_.build) options_.build(window_);
        ShowWindow(window_, options_.show);
    }
    SetEvent(created_.get());
    if (window_ == nullptr) return;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (IsWindow(window_)) DestroyWindow(window_);
}

LRESULT CALLBACK FixtureThread::Procedure(HWND window, UINT message, WPARAM wparam,
                                          LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<FixtureThread*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    if (self->window_ == nullptr) self->window_ = window;
    return self->Handle(message, wparam, lparam);
}

LRESULT FixtureThread::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SYSCOMMAND: {
            std::lock_guard lock(mutex_);
            sys_commands_.push_back(static_cast<UINT>(wparam & 0xFFF0));
            break;
        }
        case kHangMessage:
            hanging_ = true;
            WaitForSingleObject(released_.get(), static_cast<DWORD>(wparam));
            hanging_ = false;
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

bool FixtureThread::Hang(std::chrono::milliseconds duration) {
    ResetEvent(released_.get());
    if (!PostMessageW(window_, kHangMessage, static_cast<WPARAM>(duration.count()), 0)) {
        return false;
    }
    return WaitUntil([this] { return hanging_.load(); });
}

void FixtureThread::Release() { SetEvent(released_.get()); }

void FixtureThread::Close() { PostMessageW(window_, WM_CLOSE, 0, 0); }

std::vector<UINT> FixtureThread::SysCommands() const {
    std::lock_guard lock(mutex_);
    return sys_commands_;
}

bool FixtureThread::ReceivedSysCommand(UINT command) const {
    const std::vector<UINT> commands = SysCommands();
    return std::find(commands.begin(), commands.end(), command) != commands.end();
}

}  // namespace qov::e2e

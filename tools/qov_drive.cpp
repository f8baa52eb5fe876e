// Drives a running QOV from outside, one verb per run, for the screenshot
// script: it opens dialogs through the menu commands, switches tabs, presses
// buttons and types text the way a user would, and prints where a window is so
// the script can crop its picture. It must run in QOV's desktop.
//
//   qov_drive command <id>                       fires a menu item of the main window
//   qov_drive wait <caption> [timeout ms]        waits for the window; prints its rectangle
//   qov_drive tab <caption> <tab, 1-based>       switches the window's tab strip
//   qov_drive click <caption> <button text>      presses a button of the window
//   qov_drive type <caption> <text>              types into the window's combo box
//
// A rectangle prints as WIDTHxHEIGHT+LEFT+TOP, the form ImageMagick crops by.
// The exit status is 0 on success, 1 when the window or control is not there,
// 2 on a usage error.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kMainCaption[] = L"V O V";
constexpr wchar_t kMessageBoxClass[] = L"#32770";
constexpr DWORD kDefaultTimeoutMs = 20000;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        5000, &ignored);
    return text;
}

struct Search {
    const std::wstring* text;
    const wchar_t* class_name;  // null for any
    bool visible_only;
    HWND found;
};

bool Matches(HWND window, const Search& search) {
    if (search.visible_only && !IsWindowVisible(window)) return false;
    if (search.class_name && _wcsicmp(ClassOf(window).c_str(), search.class_name) != 0) return false;
    return search.text == nullptr || TextOf(window) == *search.text;
}

BOOL CALLBACK FindMatch(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!Matches(window, *search)) return TRUE;
    search->found = window;
    return FALSE;
}

// A visible top-level window with that caption that is no message box.
BOOL CALLBACK FindTopLevel(HWND window, LPARAM parameter) {
    if (ClassOf(window) == kMessageBoxClass) return TRUE;
    return FindMatch(window, parameter);
}

HWND TopLevel(const std::wstring& caption) {
    Search search{&caption, nullptr, true, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Child(HWND parent, const std::wstring* text, const wchar_t* class_name) {
    Search search{text, class_name, false, nullptr};
    EnumChildWindows(parent, FindMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevel(const std::wstring& caption, DWORD timeout_ms) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
        if (HWND window = TopLevel(caption)) return window;
        if (GetTickCount64() >= deadline) return nullptr;
        Sleep(100);
    }
}

int Fail(const wchar_t* what, const std::wstring& name) {
    std::fwprintf(stderr, L"qov_drive: %ls not found: %ls\n", what, name.c_str());
    return 1;
}

int Command(const std::wstring& id) {
    const HWND main = WaitForTopLevel(kMainCaption, kDefaultTimeoutMs);
    if (!main) return Fail(L"main window", kMainCaption);
    // Posted: a command may open a modal box and keep QOV busy.
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(std::wcstol(id.c_str(), nullptr, 10), 0), 0);
    return 0;
}

int Wait(const std::wstring& caption, DWORD timeout_ms) {
    const HWND window = WaitForTopLevel(caption, timeout_ms);
    if (!window) return Fail(L"window", caption);
    RECT rect{};
    GetWindowRect(window, &rect);
    std::wprintf(L"%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                 rect.top);
    return 0;
}

int Tab(const std::wstring& caption, const std::wstring& tab) {
    const HWND window = WaitForTopLevel(caption, kDefaultTimeoutMs);
    if (!window) return Fail(L"window", caption);
    const HWND tabs = Child(window, nullptr, WC_TABCONTROLW);
    if (!tabs) return Fail(L"tab strip in", caption);
    // Sets the tab as a click does, with the notifications that switch the page.
    SendMessageW(tabs, TCM_SETCURFOCUS, std::wcstol(tab.c_str(), nullptr, 10) - 1, 0);
    return 0;
}

int Click(const std::wstring& caption, const std::wstring& text) {
    const HWND window = WaitForTopLevel(caption, kDefaultTimeoutMs);
    if (!window) return Fail(L"window", caption);
    const HWND button = Child(window, &text, WC_BUTTONW);
    if (!button) return Fail(L"button", text);
    PostMessageW(button, BM_CLICK, 0, 0);
    return 0;
}

int Type(const std::wstring& caption, const std::wstring& text) {
    const HWND window = WaitForTopLevel(caption, kDefaultTimeoutMs);
    if (!window) return Fail(L"window", caption);
    const HWND combo = Child(window, nullptr, WC_COMBOBOXW);
    if (!combo) return Fail(L"combo box in", caption);
    const HWND edit = FindWindowExW(combo, nullptr, WC_EDITW, nullptr);
    SendMessageW(edit ? edit : combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return 0;
}

int Usage() {
    std::fwprintf(stderr,
                  L"usage: qov_drive command <id> | wait <caption> [timeout ms] |\n"
                  L"       tab <caption> <tab> | click <caption> <text> | type <caption> <text>\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    const std::wstring& verb = args[0];
    if (verb == L"command" && args.size() == 2) return Command(args[1]);
    if (verb == L"wait" && (args.size() == 2 || args.size() == 3)) {
        const DWORD timeout =
            args.size() == 3 ? std::wcstoul(args[2].c_str(), nullptr, 10) : kDefaultTimeoutMs;
        return Wait(args[1], timeout);
    }
    if (verb == L"tab" && args.size() == 3) return Tab(args[1], args[2]);
    if (verb == L"click" && args.size() == 3) return Click(args[1], args[2]);
    if (verb == L"type" && args.size() == 3) return Type(args[1], args[2]);
    return Usage();
}

// The real qovc.exe against fixture windows: run as a child process with its
// output in pipes, one table of command lines, their exit codes, their output
// and what they did to the windows. Every wait is bounded.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "win32/handles.h"

namespace qov::e2e {
namespace {

using namespace std::chrono_literals;
constexpr wchar_t kSettingsKey[] = L"Software\\Tamarind Desk\\QOV";  // under HKEY_CURRENT_USER
constexpr UINT kHang = WM_APP;  // the fixture sleeps in its handler for wParam ms

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 10s) {
    for (const auto end = std::chrono::steady_clock::now() + limit; !condition(); Sleep(50))
        if (std::chrono::steady_clock::now() > end) return false;
    return true;
}

// A shown window on a thread of its own, as another program's would be.
class Fixture {
public:
    explicit Fixture(const wchar_t* title) : thread_([=, this] { Run(title); }) {
        WaitUntil([this] { return window_ != nullptr; });
    }
    ~Fixture() {
        PostMessageW(window_, WM_CLOSE, 0, 0);  // fails once it has closed, and its thread ended
        thread_.join();
    }
    HWND Window() const { return window_; }

private:
    void Run(const wchar_t* title) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = L"QovcE2eFixture";
        RegisterClassW(&windowClass);  // fails harmlessly once registered
        const HWND window = CreateWindowExW(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, 140,
                                            120, 400, 300, nullptr, nullptr, nullptr, nullptr);
        if (!window) return;  // the constructor's wait gives up
        ShowWindow(window, SW_SHOWNOACTIVATE);
        window_ = window;
        for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0;) DispatchMessageW(&message);
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == kHang) Sleep(static_cast<DWORD>(w));
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(window, message, w, l);
    }

    std::atomic<HWND> window_{nullptr};
    std::thread thread_;  // last: it starts once the members above exist
};

struct Ran {
    DWORD exitCode = 999;
    std::string out, err;  // as written: UTF-8 into a pipe
};

// Reads a pipe to its end on a thread of its own, so neither pipe can fill up
// and stall the child.
class PipeReader {
public:
    PipeReader() {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE read = nullptr, write = nullptr;
        CreatePipe(&read, &write, &inherit, 0);
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
        read_.reset(read);
        write_.reset(write);
    }
    HANDLE ChildEnd() const { return write_.get(); }
    void Start() {
        write_.reset();  // the child holds its own copy; the end comes when it exits
        thread_ = std::thread([this] {
            char buffer[4096];
            for (DWORD got = 0; ReadFile(read_.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0;)
                text_.append(buffer, got);
        });
    }
    std::string Finish() {
        if (thread_.joinable()) thread_.join();
        return text_;
    }

private:
    win32::UniqueKernelHandle read_, write_;
    std::thread thread_;
    std::string text_;
};

Ran RunQovc(const std::vector<std::wstring>& arguments) {
    std::wstring program;
    for (const char* c = std::getenv("QOVC_EXE"); c && *c; ++c) program += static_cast<wchar_t>(*c);
    std::wstring commandLine = L"qovc";
    for (const std::wstring& argument : arguments) commandLine += L" \"" + argument + L"\"";
    PipeReader out, err;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out.ChildEnd();
    startup.hStdError = err.ChildEnd();
    PROCESS_INFORMATION started{};
    Ran ran;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &started)) {
        ran.err = "qovc.exe could not be started";
        return ran;
    }
    const win32::UniqueKernelHandle process{started.hProcess}, thread{started.hThread};
    out.Start();
    err.Start();
    if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 999);
    GetExitCodeProcess(process.get(), &ran.exitCode);
    ran.out = out.Finish();
    ran.err = err.Finish();
    return ran;
}

std::wstring Decimal(HWND window) {
    return std::to_wstring(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window)));
}

std::string Decimal8(HWND window) {  // as qovc writes it
    return std::to_string(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window)));
}

std::wstring Hexadecimal(HWND window) {
    wchar_t text[16];
    swprintf(text, 16, L"0x%X", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window)));
    return text;
}

bool KeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

struct Case {
    const char* name;
    std::vector<std::wstring> arguments;
    DWORD exitCode;
    std::vector<std::string> outHas, errHas;  // pieces each stream must contain
    std::function<bool()> after = {};  // the windows as the command leaves them
    std::vector<std::string> outHasNot = {};
};

TEST(Qovc, ListsAndActsOnTheFixtureWindowsAsTheCommandLineSays) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    // A first run with no settings stored must not store any.
    EXPECT_EQ(RunQovc({L"list", L"--unfiltered"}).exitCode, 0u);
    EXPECT_FALSE(KeyExists()) << "qovc wrote the settings key";
    RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Wnd1", REG_SZ, L"Secret", 14);

    // The marker keeps other windows on the desktop out of every selection (and
    // it must not contain "QOV": such titles are system windows to the filters).
    const Fixture alpha(L"KestrelMark Alpha メモ帳"), beta(L"KestrelMark Beta, \"quoted\""),
        secret(L"KestrelMark Secret"), hung(L"KestrelMark Hung");
    const HWND a = alpha.Window(), b = beta.Window(), h = hung.Window();
    ASSERT_TRUE(a && b && secret.Window() && h);
    MoveWindow(b, 300, 200, 400, 300, TRUE);
    const auto hangs = [h] {
        PostMessageW(h, kHang, 8000, 0);
        DWORD_PTR ignored = 0;
        return WaitUntil([&] { return !SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 100, &ignored); });
    };

    const Case cases[] = {
        {"csv", {L"list", L"--title", L"KestrelMark", L"--format", L"csv"}, 0,
         {"handle,title,status,active,topmost,cloaked,left,top,right,bottom,class,pid,process\r\n",
          ",KestrelMark Alpha メモ帳,normal,", ",\"KestrelMark Beta, \"\"quoted\"\"\",normal,",
          ",300,200,700,500,QovcE2eFixture,", ",qovc_e2e_tests.exe\r\n"},
         {}, {}, {"Secret"}},
        {"json", {L"list", L"--title", L"kestrelmark beta", L"--format", L"json"}, 0,
         {"[\r\n  {\"handle\": " + Decimal8(b) + ", ",
          "\"title\": \"KestrelMark Beta, \\\"quoted\\\"\", \"status\": \"normal\", \"active\": false, "
          "\"topmost\": false, \"cloaked\": false, \"left\": 300, \"top\": 200, \"right\": 700, \"bottom\": 500, "
          "\"class\": \"QovcE2eFixture\""},
         {}},
        {"table", {L"list", L"--title", L"KestrelMark"}, 0, {"handle  title", "KestrelMark Alpha メモ帳 ", "  normal  "}, {}},
        {"the exclusion list is honoured", {L"list", L"--title", L"KestrelMark Secret"}, 1, {}, {}},
        {"unless unfiltered", {L"list", L"--unfiltered", L"--title", L"KestrelMark Secret"}, 0, {"KestrelMark Secret"}, {}},
        {"several without --all", {L"minimize", L"--title", L"KestrelMark"}, 4, {},
         {"個のウィンドウが条件に合います", "KestrelMark Alpha メモ帳\tmatched"},
         [&] { return !IsIconic(a) && !IsIconic(b); }},
        {"dry run", {L"minimize", L"--title", L"KestrelMark", L"--all", L"--dry-run"}, 0, {},
         {"KestrelMark Alpha メモ帳\tdry-run\t", "KestrelMark Beta, \"quoted\"\tdry-run\t"},
         [&] { return !IsIconic(a) && !IsIconic(b); }},
        {"minimize one", {L"minimize", L"--title", L"Alpha メモ", L"--visible"}, 0, {},
         {Decimal8(a) + "\tKestrelMark Alpha メモ帳\tdone\t"}, [&] { return IsIconic(a) != FALSE; }},
        {"move by decimal handle", {L"move", L"-200", L"80", L"--handle", Decimal(b)}, 0, {}, {"\tdone\t"},
         [&] { RECT r{}; GetWindowRect(b, &r); return r.left == -200 && r.top == 80 && r.right == 200; }},
        {"resize by hexadecimal handle", {L"resize", L"500", L"250", L"--handle", Hexadecimal(b)}, 0, {}, {"\tdone\t"},
         [&] { RECT r{}; GetWindowRect(b, &r); return r.left == -200 && r.right == 300 && r.bottom == 330; }},
        {"topmost", {L"topmost", L"--title", L"KestrelMark Beta"}, 0, {}, {"\tdone\t"},
         [&] { return (GetWindowLongW(b, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }},
        {"close", {L"close", L"--class", L"qovce2efixture", L"--title", L"Beta"}, 0, {}, {"\tdone\t"},
         [&] { return !IsWindow(b); }},
        {"nothing matches", {L"restore", L"--title", L"KestrelMark Nowhere"}, 1, {}, {"条件に合うウィンドウがありません"}},
        {"usage error", {L"minimize", L"--frobnicate"}, 2, {}, {"qovc: 不明なオプションです: --frobnicate（"}},
        {"version", {L"--version"}, 0, {"qovc 1.0.0\r\n"}, {}},
        {"a hung window is skipped", {L"hide", L"--title", L"KestrelMark Hung"}, 3, {},
         {"KestrelMark Hung\thung\t応答がないため飛ばしました"},
         [&] {  // nothing was queued for it, so it stays shown once it wakes up
             DWORD_PTR ignored = 0;
             SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
             return !WaitUntil([&] { return !IsWindowVisible(h); }, 500ms);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.exitCode == 3) {
            ASSERT_TRUE(hangs()) << "the fixture did not hang";
        }
        const auto start = std::chrono::steady_clock::now();
        const Ran ran = RunQovc(c.arguments);
        EXPECT_EQ(ran.exitCode, c.exitCode) << ran.err;
        for (const std::string& piece : c.outHas)
            EXPECT_NE(ran.out.find(piece), std::string::npos) << piece << "\nin\n" << ran.out;
        for (const std::string& piece : c.outHasNot) EXPECT_EQ(ran.out.find(piece), std::string::npos) << piece;
        for (const std::string& piece : c.errHas)
            EXPECT_NE(ran.err.find(piece), std::string::npos) << piece << "\nin\n" << ran.err;
        if (c.after) {
            EXPECT_TRUE(WaitUntil(c.after, 3s)) << "the windows are not as the command should leave them";
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, 15s) << "qovc took too long";
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

}  // namespace
}  // namespace qov::e2e

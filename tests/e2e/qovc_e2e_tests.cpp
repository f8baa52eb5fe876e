// The real qovc.exe against fixture windows: run as a child process with its
// output in files, one table of command lines, their exit codes, their output
// and what they did to the windows. Every wait is bounded.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win32/handles.h"
#include "win32/test_support.h"

namespace qov::e2e {
namespace {

using namespace std::chrono_literals;
using test::kSettingsKey;
using test::PumpUntil;

struct Ran {
    DWORD exitCode = 999;
    std::string out, err;  // as written: UTF-8, redirected
};

// A file of its own for one of the child's streams, gone once closed.
win32::UniqueKernelHandle OutputFile(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, path);
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    const HANDLE file = CreateFileW((path + std::wstring(name)).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    return win32::UniqueKernelHandle{file == INVALID_HANDLE_VALUE ? nullptr : file};
}

std::string ReadAll(HANDLE file) {  // the child shared the file's position: back to the start
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    return text.substr(0, got);
}

Ran RunQovc(const std::vector<std::wstring>& arguments) {
    std::wstring program;
    for (const char* c = std::getenv("QOVC_EXE"); c && *c; ++c) program += static_cast<wchar_t>(*c);
    std::wstring commandLine = L"qovc";
    for (const std::wstring& argument : arguments) commandLine += L" \"" + argument + L"\"";
    const win32::UniqueKernelHandle out = OutputFile(L"qovc_e2e.out"), err = OutputFile(L"qovc_e2e.err");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    PROCESS_INFORMATION started{};
    Ran ran;
    if (!out || !err || !CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started)) {
        ran.err = "qovc.exe could not be started";
        return ran;
    }
    const win32::UniqueKernelHandle process{started.hProcess}, thread{started.hThread};
    if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 999);
    GetExitCodeProcess(process.get(), &ran.exitCode);
    ran.out = ReadAll(out.get());
    ran.err = ReadAll(err.get());
    return ran;
}

std::string Decimal(HWND window) {  // as qovc writes it
    return std::to_string(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window)));
}

struct Case {
    const char* name;
    std::vector<std::wstring> arguments;
    DWORD exitCode;
    std::vector<std::string> outHas, errHas;  // pieces each stream must contain
    std::function<bool()> after = {};  // the windows as the command leaves them
};

TEST(Qovc, ListsAndActsOnTheFixtureWindowsAsTheCommandLineSays) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    // A first run with no settings stored must not store any.
    EXPECT_EQ(RunQovc({L"list", L"--unfiltered"}).exitCode, 0u);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS) << "qovc wrote it";
    RegCloseKey(key);
    RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Wnd1", REG_SZ, L"Secret", 14);

    // The marker keeps other windows on the desktop out of every selection (and
    // it must not contain "QOV": such titles are system windows to the filters).
    const test::OtherThreadWindow alpha(L"KestrelMark Alpha メモ帳"), beta(L"KestrelMark Beta, \"quoted\""),
        secret(L"KestrelMark Secret"), hung(L"KestrelMark Hung");
    const HWND a = alpha.Get(), b = beta.Get(), h = hung.Get();
    ASSERT_TRUE(a && b && secret.Get() && h);
    MoveWindow(b, 300, 200, 400, 300, TRUE);
    SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const auto hangs = [h] {
        PostMessageW(h, test::kHang, 8000, 0);
        DWORD_PTR ignored = 0;
        return PumpUntil([&] { return !SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 100, &ignored); });
    };

    const Case cases[] = {
        {"csv", {L"list", L"--title", L"KestrelMark", L"--format", L"csv"}, 0,
         {"handle,title,status,active,topmost,cloaked,left,top,right,bottom,class,pid,process\r\n",
          ",KestrelMark Alpha メモ帳,normal,", ",\"KestrelMark Beta, \"\"quoted\"\"\",normal,",
          ",300,200,700,500,QovTestWindow,", ",qovc_e2e_tests.exe\r\n"},
         {}},
        {"json", {L"list", L"--title", L"kestrelmark beta", L"--format", L"json"}, 0,
         {"[\r\n  {\"handle\": " + Decimal(b) + ", ",
          "\"title\": \"KestrelMark Beta, \\\"quoted\\\"\", \"status\": \"normal\", \"active\": false, "
          "\"topmost\": true, \"cloaked\": false, \"left\": 300, \"top\": 200, \"right\": 700, \"bottom\": 500, "
          "\"class\": \"QovTestWindow\", \"pid\": " + std::to_string(GetCurrentProcessId()) +
              ", \"process\": \"qovc_e2e_tests.exe\"}\r\n]\r\n"},
         {}},
        {"table", {L"list", L"--title", L"KestrelMark"}, 0, {"handle  title", "KestrelMark Alpha メモ帳 ", "  normal  "}, {}},
        {"the exclusion list is honoured", {L"list", L"--title", L"KestrelMark Secret", L"--format", L"json"}, 1,
         {"[]\r\n"}, {}},
        {"dry run", {L"minimize", L"--title", L"KestrelMark", L"--all", L"--dry-run"}, 0, {},
         {"KestrelMark Alpha メモ帳\tdry-run\t", "KestrelMark Beta, \"quoted\"\tdry-run\t"},
         [&] { return !IsIconic(a) && !IsIconic(b); }},
        {"several with --all", {L"minimize", L"--title", L"KestrelMark", L"--all"}, 0, {},
         {Decimal(a) + "\tKestrelMark Alpha メモ帳\tdone\t", "KestrelMark Beta, \"quoted\"\tdone\t"},
         [&] { return IsIconic(a) && IsIconic(b); }},
        {"a hung window is skipped", {L"hide", L"--title", L"KestrelMark Hung"}, 3, {},
         {"KestrelMark Hung\thung\t応答がないため飛ばしました"},
         [&] {  // nothing was queued for it, so it stays shown once it wakes up
             DWORD_PTR ignored = 0;
             SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
             return !PumpUntil([&] { return !IsWindowVisible(h); }, 500ms);
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
        for (const std::string& piece : c.errHas)
            EXPECT_NE(ran.err.find(piece), std::string::npos) << piece << "\nin\n" << ran.err;
        if (c.after) {
            EXPECT_TRUE(PumpUntil(c.after, 3s)) << "the windows are not as the command should leave them";
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, 15s) << "qovc took too long";
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

// qovc started and left running, its stdout a pipe read as the lines come,
// its stderr a file read once it has ended.
class Running {
public:
    explicit Running(const std::vector<std::wstring>& arguments) : err_(OutputFile(L"qovc_e2e_running.err")) {
        std::wstring program;
        for (const char* c = std::getenv("QOVC_EXE"); c && *c; ++c) program += static_cast<wchar_t>(*c);
        std::wstring commandLine = L"qovc";
        for (const std::wstring& argument : arguments) commandLine += L" \"" + argument + L"\"";
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE read = nullptr, write = nullptr;
        if (!CreatePipe(&read, &write, &inherit, 0)) return;
        out_.reset(read);
        const win32::UniqueKernelHandle childEnd{write};
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = write;
        startup.hStdError = err_.get();
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                            nullptr, &startup, &started))
            return;
        process_.reset(started.hProcess);
        CloseHandle(started.hThread);
    }
    ~Running() {
        if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.get(), 999);
    }

    // The next line holding every piece, skipping others; none unless it comes within `limit`.
    std::optional<std::string> LineWith(const std::vector<std::string>& pieces,
                                        std::chrono::milliseconds limit = 3s) {
        std::optional<std::string> found;
        PumpUntil([&] {
            for (std::size_t end; !found && (end = pending_.find('\n')) != std::string::npos;) {
                const std::string line = pending_.substr(0, end + 1);
                pending_.erase(0, end + 1);
                seen_ += line;
                if (std::ranges::all_of(pieces, [&](const std::string& p) { return line.find(p) != std::string::npos; }))
                    found = line;
            }
            DWORD available = 0, got = 0;
            if (!found && PeekNamedPipe(out_.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0) {
                std::string chunk(available, '\0');
                if (ReadFile(out_.get(), chunk.data(), available, &got, nullptr)) pending_ += chunk.substr(0, got);
            }
            return found.has_value();
        }, limit);
        return found;
    }
    // The exit code once it ends within `limit`; none if it does not.
    std::optional<DWORD> Ended(std::chrono::milliseconds limit = 3s) {
        DWORD code = 999;
        if (!process_ || !PumpUntil([&] { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }, limit))
            return std::nullopt;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }
    std::string Out() {  // what is left in the pipe, after the lines read
        LineWith({"\x01"}, 200ms);
        return seen_ + pending_;
    }
    std::string Err() { return ReadAll(err_.get()); }
    std::string Seen() const { return "lines read:\n" + seen_ + pending_; }
    void StopReading() { out_.reset(); }

private:
    win32::UniqueKernelHandle err_, out_, process_;
    std::string pending_, seen_;
};

// The reports Windows raises for a change, raised by the fixture's own
// process as Windows would (Wine raises only the creation's).
void Report(HWND window, DWORD event) { NotifyWinEvent(event, window, OBJID_WINDOW, CHILDID_SELF); }

// Wine 8 neither raises the creation of these windows out of context nor
// passes on what their thread raises before it has run its messages once.
void ShowAndReport(HWND window) {
    ShowWindow(window, SW_SHOWNOACTIVATE);
    PumpUntil([] { return false; }, 100ms);
    Report(window, EVENT_OBJECT_SHOW);
}

std::string JsonPiece(const char* key, const std::string& value) { return "\"" + std::string(key) + "\": " + value; }

TEST(QovcWatch, StreamsEachChangeOfAWindowAsAJsonLineAsItHappens) {
    const win32::UniqueWindow ready = test::CreateTestWindow(L"OspreyMark ready");
    ShowWindow(ready.get(), SW_SHOWNOACTIVATE);
    Running watch({L"watch", L"--title", L"OspreyMark", L"--format", L"json", L"--detect", L"events",
                   L"--timeout", L"60"});
    // Its first line shows the reports are asked for: what follows is news.
    ASSERT_TRUE(watch.LineWith({"{\"event\": \"present\", \"time\": \"20", "Z\", \"handle\": " + Decimal(ready.get()),
                                "\"title\": \"OspreyMark ready\""}, 10s))
        << watch.Err();

    win32::UniqueWindow window = test::CreateTestWindow(L"OspreyMark one");
    const HWND w = window.get();
    const std::string handle = JsonPiece("handle", Decimal(w));
    ShowAndReport(w);
    EXPECT_TRUE(watch.LineWith({"\"event\": \"appeared\"", handle, "\"title\": \"OspreyMark one\""})) << watch.Seen();

    SetWindowTextW(w, L"OspreyMark renamed");
    Report(w, EVENT_OBJECT_NAMECHANGE);
    EXPECT_TRUE(watch.LineWith({"\"event\": \"changed\"", handle, "\"title\": \"OspreyMark renamed\""}));

    ShowWindow(w, SW_SHOWMINNOACTIVE);
    Report(w, EVENT_SYSTEM_MINIMIZESTART);
    EXPECT_TRUE(watch.LineWith({"\"event\": \"changed\"", handle, "\"status\": \"minimized\""}));

    Report(w, EVENT_OBJECT_DESTROY);
    window.reset();
    Report(w, EVENT_OBJECT_DESTROY);
    // The last values known, as it was before it went.
    EXPECT_TRUE(watch.LineWith({"\"event\": \"disappeared\"", handle, "\"title\": \"OspreyMark renamed\"",
                                "\"status\": \"minimized\""}));

    // Renamed out of the selectors: it no longer matches.
    SetWindowTextW(ready.get(), L"Renamed away");
    Report(ready.get(), EVENT_OBJECT_NAMECHANGE);
    EXPECT_TRUE(watch.LineWith({"\"event\": \"disappeared\"", "\"title\": \"OspreyMark ready\""}));

    // Once its reader has gone, the next line it writes ends it with 0.
    watch.StopReading();
    SetWindowTextW(ready.get(), L"OspreyMark back");
    Report(ready.get(), EVENT_OBJECT_NAMECHANGE);
    EXPECT_EQ(watch.Ended(), std::optional<DWORD>(0)) << "a watch nobody reads goes on";
    EXPECT_NE(watch.Err().find("イベントで検出"), std::string::npos) << watch.Err();

    // A reader gone while nothing changes is noticed at the next scan.
    Running idle({L"watch", L"--title", L"OspreyMark", L"--detect", L"scan", L"--timeout", L"60"});
    ASSERT_TRUE(idle.LineWith({"present"}, 10s)) << idle.Err();
    idle.StopReading();
    EXPECT_EQ(idle.Ended(5s), std::optional<DWORD>(0)) << "an idle watch nobody reads goes on";
}

TEST(QovcWait, ReturnsWhenAWindowComesOrGoesAndFiveWhenTheTimeRunsOut) {
    const struct {
        const char* name;
        std::vector<std::wstring> arguments;
        bool windowBefore, windowAfter;  // the fixture's, at the start and once qovc runs
        DWORD exitCode;
        std::string outHas, errHas;
    } cases[] = {
        {"already there", {L"wait", L"--title", L"Plover"}, true, true, 0, "Plover fixture", ""},
        {"comes", {L"wait", L"--title", L"PLOVER", L"--format", L"csv", L"--detect", L"events", L"--timeout", L"20"},
         false, true, 0, ",Plover fixture,", ""},
        {"comes, found by the scan", {L"wait", L"--title", L"Plover", L"--detect", L"scan"}, false, true, 0,
         "Plover fixture", ""},
        {"goes", {L"wait", L"--gone", L"--title", L"Plover", L"--timeout", L"20"}, true, false, 0, "", ""},
        {"never comes", {L"wait", L"--title", L"Plover", L"--timeout", L"0.5"}, false, false, 5, "",
         "時間内に条件に合うウィンドウが現れませんでした"},
        {"never goes", {L"wait", L"--gone", L"--title", L"Plover", L"--timeout", L"1"}, true, true, 5, "",
         "なくなりませんでした"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        win32::UniqueWindow fixture;
        const auto show = [&] {
            fixture = test::CreateTestWindow(L"Plover fixture");
            ShowAndReport(fixture.get());
        };
        if (c.windowBefore) show();
        Running wait(c.arguments);
        PumpUntil([] { return false; }, 500ms);  // qovc is waiting by now
        if (!c.windowBefore && c.windowAfter) show();
        if (c.windowBefore && !c.windowAfter) {
            const HWND gone = fixture.get();
            fixture.reset();
            Report(gone, EVENT_OBJECT_DESTROY);
        }
        EXPECT_EQ(wait.Ended(5s), std::optional<DWORD>(c.exitCode)) << wait.Err();
        const std::string out = wait.Out();
        if (c.outHas.empty()) {
            EXPECT_EQ(out, "");
        } else {
            EXPECT_NE(out.find(c.outHas), std::string::npos) << out;
        }
        EXPECT_NE(wait.Err().find(c.errHas), std::string::npos) << wait.Err();
    }
}

}  // namespace
}  // namespace qov::e2e

// The real qov.exe on a desktop of fixture windows, driven from outside as a user drives it.
// Every wait is bounded, so a frozen QOV fails a test instead of holding up the run.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "core/command_ids.h"
#include "win32/handles.h"
#include "win32/test_support.h"

namespace qov::e2e {
namespace {

using namespace std::chrono_literals;
using test::kSettingsKey;
using test::PumpUntil;
using Row = std::vector<std::wstring>;  // title, status, rectangle, class, handle
using Settings = std::vector<std::pair<const wchar_t*, std::wstring>>;
constexpr int kColumns = 5;
constexpr int kToolbarClose = 9;

// A shown top-level window of that class and caption (null: any), or null if none comes.
HWND WaitForShown(const wchar_t* className, const wchar_t* caption) {
    HWND found = nullptr;
    PumpUntil([&] {
        while ((found = FindWindowExW(nullptr, found, className, caption)) && !IsWindowVisible(found)) {}
        return found != nullptr;
    });
    return found;
}

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0, UINT limitMs = 10000) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL, limitMs, &result)) return {};
    return static_cast<LRESULT>(result);
}

bool Click(HWND dialog, const wchar_t* button) {  // also one in a panel of the dialog
    HWND found = FindWindowExW(dialog, nullptr, WC_BUTTONW, button);
    for (HWND panel = nullptr; !found && (panel = FindWindowExW(dialog, panel, nullptr, nullptr));)
        found = FindWindowExW(panel, nullptr, WC_BUTTONW, button);
    return PostMessageW(found, BM_CLICK, 0, 0);
}

std::optional<std::wstring> Stored(const wchar_t* name) {  // none unless REG_SZ
    wchar_t text[1024];
    DWORD bytes = sizeof(text);
    const DWORD onlyText = RRF_RT_REG_SZ | RRF_NOEXPAND;  // an expandable string is no REG_SZ
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, onlyText, nullptr, text, &bytes)) return {};
    return text;
}

std::wstring HandleText(HWND window) {  // as the handle column shows it
    const auto value = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window));
    return (value < 0 ? L"" : L" ") + std::to_wstring(value);
}

// The program under test, as Windows writes its path.
std::wstring QovExe() {
    std::wstring path;
    for (const char* c = std::getenv("QOV_EXE"); c && *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}
std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return folder + std::wstring(name);
}
std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

// A label in one of the dialog's panels shows `text`.
bool DialogSays(HWND dialog, const wchar_t* text) {
    for (HWND panel = nullptr; (panel = FindWindowExW(dialog, panel, nullptr, nullptr));)
        if (FindWindowExW(panel, nullptr, L"Static", text)) return true;
    return false;
}

bool Normal(HWND w) { return IsWindowVisible(w) && !IsIconic(w) && !IsZoomed(w); }

// What a command made of a fixture, read from the window itself.
bool Minimised(HWND w) { return IsWindowVisible(w) && IsIconic(w); }
bool Maximised(HWND w) { return IsWindowVisible(w) && IsZoomed(w); }
bool Hidden(HWND w) { return IsWindow(w) && !IsWindowVisible(w); }
bool Topmost(HWND w) { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
bool InFront(HWND w) { return GetForegroundWindow() == w; }
bool Gone(HWND w) { return !IsWindow(w); }
bool Moving(HWND w) {  // in the system's move or size loop, which this ends
    const auto looping = [w] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &gui) && gui.hwndMoveSize == w;
    };
    return looping() && PostMessageW(w, WM_KEYDOWN, VK_RETURN, 0) && PumpUntil([&] { return !looping(); });
}
// A QOV left running when a test outlasts its time limit would keep the
// Wine desktop, and the run, going: it ends with this process.
HANDLE EndsWithTheTests() {
    static const HANDLE job = [] {
        const HANDLE created = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return created;
    }();
    return job;
}

class Qov {
public:
    explicit Qov(const std::wstring& program) {
        // Wine's heap checking makes a use after free crash instead of pass unseen.
        SetEnvironmentVariableW(L"WINEDEBUG", L"warn+heap");
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &started))
            return;
        CloseHandle(started.hThread);
        process_.reset(started.hProcess);
        AssignProcessToJobObject(EndsWithTheTests(), started.hProcess);
        main_ = WaitForShown(nullptr, L"V O V");
        list_ = FindWindowExW(main_, nullptr, WC_LISTVIEWW, nullptr);
        status_ = FindWindowExW(main_, nullptr, STATUSCLASSNAMEW, nullptr);
        for (HWND host = nullptr; !toolbar_ && (host = FindWindowExW(main_, host, nullptr, nullptr));)
            toolbar_ = FindWindowExW(host, nullptr, TOOLBARCLASSNAMEW, nullptr);  // it sits in a host
        remote_ = static_cast<char*>(
            VirtualAllocEx(process_.get(), nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~Qov() { if (process_ && !Close()) TerminateProcess(process_.get(), 1), WaitForExit(); }

    bool Ready() const { return main_ && list_ && status_ && toolbar_ && remote_; }
    HWND Main() const { return main_; }
    HWND Focus() const {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &gui) ? gui.hwndFocus : nullptr;
    }

    // Every row, read until two readings agree: the list refreshes meanwhile.
    std::vector<Row> Rows() const {
        std::vector<Row> rows = ReadRows(), again;
        for (int i = 0; i < 20 && (again = ReadRows()) != rows; ++i) rows = std::move(again);
        return rows;
    }
    int RowOf(HWND window) const {  // -1: not listed
        const std::vector<Row> rows = Rows();
        const auto found = std::ranges::find(rows, HandleText(window), [](const Row& r) { return r.back(); });
        return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    }
    int Icon(HWND window) const {  // its row's image; -1: not listed
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = RowOf(window);
        return item.iItem >= 0 && SendInside(list_, LVM_GETITEMW, 0, item) ? item.iImage : -1;
    }
    bool WaitForRow(HWND window) const { return PumpUntil([&] { return RowOf(window) >= 0; }); }
    bool Select(HWND window) const {
        const int row = RowOf(window);
        LVITEMW item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        return row >= 0 && SendInside(list_, LVM_SETITEMSTATE, row, item);
    }
    std::wstring StatusText() const {
        wchar_t text[256] = {};  // a status bar in simple mode keeps its text in part 0
        return SendInside(status_, SB_GETTEXTW, 0, text) ? text : L"";
    }

    // The ways a user gives a command: each delivers its identifier in WM_COMMAND.
    void Command(int id) const { PostMessageW(main_, WM_COMMAND, id, 0); }
    bool ChooseFromWindowMenu(int itemKey) const {  // "単独ウィンドウ(&O)" on the menu bar
        return ToFront(main_) && PostMessageW(main_, WM_SYSCOMMAND, SC_KEYMENU, L'O') && Pick(itemKey);
    }
    bool ChooseFromPopup(int itemKey) const {  // right-clicking the selected row
        const auto row = Send(list_, LVM_GETNEXTITEM, -1, LVNI_SELECTED);
        return row && ToFront(main_) && ClickItem(list_, LVM_GETITEMRECT, *row, {LVIR_BOUNDS, 0, 0, 0}, WM_RBUTTONDOWN) &&
               Pick(itemKey);
    }
    bool ClickToolbar(int position) const {
        return ClickItem(toolbar_, TB_GETITEMRECT, position, {}, WM_LBUTTONDOWN);
    }
    // A shortcut key typed with QOV in front: `keys` held in order, then let go.
    bool Type(std::initializer_list<WORD> keys, HWND in = nullptr) const {  // in QOV's main window, or `in`
        if (!ToFront(in ? in : main_)) return false;
        std::vector<INPUT> input;
        const auto add = [&](WORD key, DWORD flags) {
            INPUT one{};
            one.type = INPUT_KEYBOARD, one.ki.wVk = key, one.ki.dwFlags = flags;
            input.push_back(one);
        };
        for (const WORD key : keys) add(key, 0);
        for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) add(*key, KEYEVENTF_KEYUP);
        return SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)) == input.size();
    }
    bool ToFront(HWND window) const {
        SetForegroundWindow(window);
        return PumpUntil([&] { return GetForegroundWindow() == window; }, 3s);
    }
    bool PressEscape() const { return PostMessageW(list_, WM_KEYDOWN, VK_ESCAPE, 0); }

    // As the close box does; true once the process has ended.
    bool Close() const { return PostMessageW(main_, WM_CLOSE, 0, 0) && WaitForExit(); }
    std::optional<DWORD> WaitForExit() const {  // the exit code, once ended
        DWORD code = 0;
        if (WaitForSingleObject(process_.get(), 15000) != WAIT_OBJECT_0) return {};
        return GetExitCodeProcess(process_.get(), &code) ? std::optional(code) : std::nullopt;
    }

private:
    // For the controls' messages that take a pointer: `data` goes through QOV's memory.
    template <typename T>
    bool SendInside(HWND control, UINT message, WPARAM w, T& data) const {
        return WriteProcessMemory(process_.get(), remote_, &data, sizeof(T), nullptr) &&
               Send(control, message, w, reinterpret_cast<LPARAM>(remote_)) &&
               ReadProcessMemory(process_.get(), remote_, &data, sizeof(T), nullptr);
    }
    std::vector<Row> ReadRows() const {
        std::vector<Row> rows(Send(list_, LVM_GETITEMCOUNT).value_or(0), Row(kColumns));
        for (std::size_t row = 0; row < rows.size(); ++row)
            for (int column = 0; column < kColumns; ++column) {
                struct { LVITEMW item; wchar_t text[256]; } cell{};
                cell.item.iSubItem = column;
                cell.item.cchTextMax = 255;
                cell.item.pszText = reinterpret_cast<LPWSTR>(remote_ + sizeof(LVITEMW));
                SendInside(list_, LVM_GETITEMTEXTW, row, cell);
                rows[row][column] = cell.text;
            }
        return rows;
    }
    // Clicks the middle of the item that `measure` gives the rectangle of (button down, then up).
    bool ClickItem(HWND control, UINT measure, WPARAM item, RECT r, UINT down) const {
        if (!SendInside(control, measure, item, r)) return false;
        const LPARAM middle = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return PostMessageW(control, down, 0, middle) && PostMessageW(control, down + 1, 0, middle);
    }
    // Picks the item of that access key from the menu that is opening. Typed, not
    // posted: a refresh that yields while the menu is open takes posted messages.
    bool Pick(int itemKey) const {
        const HWND menu = WaitForShown(L"#32768", nullptr);
        return menu && Type({static_cast<WORD>(itemKey)}) &&
               PumpUntil([&] { return !IsWindowVisible(menu); });
    }

    win32::UniqueKernelHandle process_;
    HWND main_ = nullptr, list_ = nullptr, status_ = nullptr, toolbar_ = nullptr;
    char* remote_ = nullptr;  // freed with the process
};

class E2e : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey); }
    // The program that QOV_EXE names, or another copy of it.
    void Start(const Settings& settings = {{L"UpdateInterval", L"100"}}, const std::wstring& program = QovExe()) {
        for (const auto& [name, text] : settings)
            RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, REG_SZ, text.c_str(),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        qov_.emplace(program);
        ASSERT_TRUE(qov_->Ready()) << "qov.exe showed no main window with a list, status bar and toolbar";
    }
    // `asksFor`: how long it keeps answering before it carries out a system command.
    HWND Add(const wchar_t* title, std::chrono::milliseconds asksFor = 0ms,
             const wchar_t* className = L"QovTestWindow") {
        return fixtures_
            .emplace_back(std::make_unique<test::OtherThreadWindow>(title, SW_SHOWNOACTIVATE, asksFor, className))
            ->Get();
    }
    // A window opened now is soon listed only while QOV's message loop runs: a
    // thread blocked in a send still answers messages sent to it, but gets no timer.
    bool KeepsRefreshing() {
        const HWND late = Add(L"Late Fixture");
        return PumpUntil([&] { return qov_->RowOf(late) >= 0; }, 3s);
    }
    std::vector<std::unique_ptr<test::OtherThreadWindow>> fixtures_;
    std::optional<Qov> qov_;  // declared last, so it ends before the fixtures go
};

TEST_F(E2e, AFirstRunListsWindowsAndSavesItsSettingsAtExit) {
    ASSERT_NO_FATAL_FAILURE(Start({}));
    EXPECT_TRUE(PumpUntil([&] { return qov_->Focus() == FindWindowExW(qov_->Main(), nullptr, WC_LISTVIEWW, nullptr); }))
        << "the keyboard does not reach the list";
    const HWND window = Add(L"ブラボー 窓のテスト");
    MoveWindow(window, -200, 80, 400, 300, TRUE);  // reaching left of the screen
    const Row expected{L"ブラボー 窓のテスト", L"通常", L"(-200,80)-(200,380)", L"QovTestWindow", HandleText(window)};
    EXPECT_TRUE(PumpUntil([&] { return std::ranges::count(qov_->Rows(), expected) == 1; }))
        << "no row " << testing::PrintToString(expected);
    EXPECT_TRUE(PumpUntil([&] {
        return qov_->StatusText() == L" " + std::to_wstring(qov_->Rows().size()) + L"個のウィンドウが存在します";
    })) << qov_->StatusText();

    ASSERT_TRUE(qov_->Type({VK_F4}));  // "終了"
    EXPECT_EQ(qov_->WaitForExit(), 0u);
    EXPECT_EQ(Stored(L"ShowOnly"), L"True") << "the settings were not saved";
}

TEST_F(E2e, TheSettingsAndAddTitleDialogsChangeWhatIsListedAndSaved) {
    const HWND kept = Add(L"Kept Fixture"), secret = Add(L"Fixture with a Secret");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov_->WaitForRow(kept) && qov_->WaitForRow(secret));
    EXPECT_LT(qov_->RowOf(qov_->Main()), 0) << "QOV's own window is a system window, left out at first";
    qov_->Command(IDM_SETTINGS);
    const HWND settings = WaitForShown(nullptr, L"V O V　＜設定＞");
    Send(FindWindowExW(settings, nullptr, WC_TABCONTROLW, nullptr), TCM_SETCURFOCUS, 1);  // "除外ウィンドウ"
    ASSERT_TRUE(Click(settings, L"追加"));
    const HWND add = WaitForShown(nullptr, L"V O V　＜項目追加＞");
    ASSERT_TRUE(settings && add);
    Send(FindWindowExW(add, nullptr, WC_COMBOBOXW, nullptr), WM_SETTEXT, 0, LPARAM(L"Secret"));
    ASSERT_TRUE(Click(add, L"追加"));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(add); })) << "a successful add hides the dialog";
    EXPECT_EQ(Send(FindWindowExW(settings, nullptr, WC_LISTBOXW, nullptr), LB_GETCOUNT), 1);
    ASSERT_TRUE(Click(settings, L"システムウィンドウも処理する") && Click(settings, L"閉じる"));
    EXPECT_TRUE(qov_->WaitForRow(qov_->Main())) << "system windows are listed once chosen";
    EXPECT_TRUE(PumpUntil([&] { return qov_->RowOf(kept) >= 0 && qov_->RowOf(secret) < 0; }));

    ASSERT_TRUE(qov_->Close());
    ASSERT_NO_FATAL_FAILURE(Start({}));  // the next run reads what this one wrote at close
    EXPECT_TRUE(qov_->WaitForRow(qov_->Main()));
    EXPECT_LT(qov_->RowOf(secret), 0);
}

// Each control clicked, then "キャンセル": nothing stored changes; "閉じる"
// then applies what the control was left at. The question before a log-off
// saves the settings; the refresh follows a new interval at once. Under Wine
// no report but a creation comes, so "自動" settles on the scan and says so.
TEST_F(E2e, TheSettingsDialogAppliesItsControlsOnlyAtItsCloseButton) {
    const HWND renamed = Add(L"Renamed Fixture");
    ASSERT_NO_FATAL_FAILURE(Start({{L"UpdateInterval", L"1000"}}));
    ASSERT_TRUE(qov_->WaitForRow(renamed));
    std::vector<std::pair<std::wstring, std::wstring>> stored{{L"AlwaysTop", L"False"}, {L"ShowNoname", L"False"},
        {L"SystemWindow", L"False"}, {L"NotVWindow", L"False"}, {L"UpdateInterval", L"1000"}, {L"Detect", L"Auto"}};
    const auto expectStored = [&](const char* after) {
        EXPECT_EQ(Send(qov_->Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE) << "the log-off was refused";
        for (const auto& [key, value] : stored) EXPECT_EQ(Stored(key.c_str()), value) << key << " after " << after;
    };
    // A renamed window's row: within 3 s, or not in 2 s but at F5; or the dialog says reports are used.
    enum Refresh { kUnchecked, kQuick, kSlow, kReports };
    // Each control is clicked on its own tab page, shown first, as a user clicks it.
    const std::tuple<int, const wchar_t*, const wchar_t*, const wchar_t*, Refresh> controls[] = {
        {0, L"QOVを常に手前に表示する（設定解除は次回起動時から有効）", L"AlwaysTop", L"True", kUnchecked},
        {0, L"タイトルがないウィンドウは表示しない", L"ShowNoname", L"True", kUnchecked},
        {1, L"システムウィンドウも処理する", L"SystemWindow", L"True", kUnchecked},
        {1, L"以下のタイトルのウィンドウは処理からはずす", L"NotVWindow", L"True", kUnchecked},
        {0, L"5秒", L"UpdateInterval", L"5000", kUnchecked},
        {0, L"500ミリ秒", L"UpdateInterval", L"500", kUnchecked},
        {0, L"10秒", L"UpdateInterval", L"10000", kSlow},
        {0, L"100ミリ秒", L"UpdateInterval", L"100", kQuick},
        {0, L"1秒", L"UpdateInterval", L"1000", kUnchecked},
        {0, L"定期スキャン", L"Detect", L"Scan", kUnchecked},
        {0, L"イベント", L"Detect", L"Events", kReports},
        {0, L"自動", L"Detect", L"Auto", kUnchecked},
    };
    const HWND settings = FindWindowW(nullptr, L"V O V　＜設定＞");
    const auto press = [&](const wchar_t* button) {
        qov_->Command(IDM_SETTINGS);
        return WaitForShown(nullptr, L"V O V　＜設定＞") == settings && Click(settings, button) &&
               PumpUntil([&] { return !IsWindowVisible(settings); });
    };
    qov_->Command(IDM_SETTINGS);
    EXPECT_TRUE(PumpUntil([&] { return DialogSays(settings, L"イベントが届かないため、定期スキャンで検出しています。"); }, 5s));
    int renames = 0;
    for (const auto& [page, control, key, value, refresh] : controls) {
        const std::string name = "the control for " + testing::PrintToString(std::wstring(key)) + " = " +
                                 testing::PrintToString(std::wstring(value));
        Send(FindWindowExW(settings, nullptr, WC_TABCONTROLW, nullptr), TCM_SETCURFOCUS, page);
        ASSERT_TRUE(Click(settings, control) && press(L"キャンセル")) << name;
        expectStored(("キャンセル after " + name).c_str());
        ASSERT_TRUE(press(L"閉じる")) << name;
        std::ranges::find(stored, key, [](const auto& kv) { return kv.first; })->second = value;
        expectStored(("閉じる after " + name).c_str());
        if (refresh == kReports) {
            EXPECT_TRUE(DialogSays(settings, L"ウィンドウの変化をイベントで検出しています。")) << name;
        }
        if (refresh == kUnchecked || refresh == kReports) continue;
        const std::wstring title = L"Renamed " + std::to_wstring(++renames);
        const auto listed = [&] { return std::ranges::count(qov_->Rows(), title, [](const Row& r) { return r[0]; }) == 1; };
        SetWindowTextW(renamed, title.c_str());
        if (refresh == kSlow) {
            EXPECT_FALSE(PumpUntil(listed, 2s)) << name << " refreshed too soon";
            ASSERT_TRUE(qov_->Type({VK_F5}));
        }
        EXPECT_TRUE(PumpUntil(listed, 3s)) << name << " did not refresh";
    }
}

// Raised right after a change, as Windows raises it: Wine reports only a window's creation.
void Report(HWND window, DWORD event) { NotifyWinEvent(event, window, OBJID_WINDOW, CHILDID_SELF); }

// With the system's reports the list follows each change at once, although
// it reads the whole desktop only every ten seconds.
TEST_F(E2e, WithReportsTheListFollowsEachChangeAtOnceAtTheLongestInterval) {
    ASSERT_NO_FATAL_FAILURE(Start({{L"UpdateInterval", L"10000"}, {L"Detect", L"events"}}));
    const auto shows = [&](HWND window, const wchar_t* title, const wchar_t* status) {
        return PumpUntil([&] {
            const std::vector<Row> rows = qov_->Rows();
            const int row = qov_->RowOf(window);
            return row >= 0 && row < static_cast<int>(rows.size()) && rows[row][0] == title && rows[row][1] == status;
        }, 1s);
    };
    const HWND window = Add(L"Live Fixture");
    EXPECT_TRUE(shows(window, L"Live Fixture", L"通常")) << "a new window";
    SetWindowTextW(window, L"Live Fixture, renamed");
    Report(window, EVENT_OBJECT_NAMECHANGE);
    EXPECT_TRUE(shows(window, L"Live Fixture, renamed", L"通常")) << "a rename";
    ShowWindow(window, SW_SHOWMINNOACTIVE);
    Report(window, EVENT_SYSTEM_MINIMIZESTART);
    EXPECT_TRUE(shows(window, L"Live Fixture, renamed", L"最小化")) << "a minimise";
    fixtures_.clear();  // each closes, reporting its end
    EXPECT_TRUE(PumpUntil([&] { return qov_->RowOf(window) < 0; }, 1s)) << "a closed window";
    const HWND quiet = Add(L"Quiet Fixture");
    ASSERT_TRUE(PumpUntil([&] { return qov_->RowOf(quiet) >= 0; }, 1s));
    PumpUntil([] { return false; }, 1s);  // past the second look a new window is given
    SetWindowTextW(quiet, L"Quiet Fixture, renamed unreported");
    EXPECT_FALSE(PumpUntil([&] { return qov_->Rows()[qov_->RowOf(quiet)][0] != L"Quiet Fixture"; }, 2s))
        << "the desktop was read in full sooner than ten seconds";
}

// Each secondary window hides at its close box and opens again. With "always
// on top" stored, QOV's windows start topmost.
TEST_F(E2e, EachSecondaryWindowOpensAgainAfterItsCloseBox) {
    ASSERT_NO_FATAL_FAILURE(Start({{L"UpdateInterval", L"100"}, {L"AlwaysTop", L"True"}}));
    EXPECT_TRUE(Topmost(qov_->Main()));
    const HWND settings = FindWindowW(nullptr, L"V O V　＜設定＞");
    const std::pair<const wchar_t*, std::function<void()>> windows[] = {
        {L"V O V　＜設定＞", [&] { qov_->Command(IDM_SETTINGS); }},
        {L"V O V　＜項目追加＞", [&] { Click(settings, L"追加"); }},
        {L"QOV　＜バージョン情報＞", [&] { qov_->Command(IDM_ABOUT); }},
    };
    for (const auto& [caption, open] : windows)
        for (const char* time : {"first", "again"}) {
            open();
            const HWND shown = WaitForShown(nullptr, caption);
            ASSERT_TRUE(shown) << testing::PrintToString(std::wstring(caption)) << " did not open " << time;
            EXPECT_TRUE(Topmost(shown));
            if (std::wstring(caption).starts_with(L"V O V")) {  // the About box has one button only
                const HWND focus = qov_->Focus();
                EXPECT_TRUE(qov_->Type({VK_TAB}, shown) && PumpUntil([&] { return qov_->Focus() != focus; }))
                    << "Tab moved no focus in " << testing::PrintToString(std::wstring(caption));
            }
            Send(shown, WM_SYSCOMMAND, SC_CLOSE);
            EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(shown); }));
        }
    EXPECT_TRUE(KeepsRefreshing());
}

TEST_F(E2e, ACommandOnAHungWindowDoesNotFreezeQov) {
    const HWND other = Add(L"Other Fixture"), hung = Add(L"Hung Fixture");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov_->WaitForRow(other) && qov_->WaitForRow(hung) && qov_->Select(hung));
    PostMessageW(hung, test::kHang, 12000, 0);
    ASSERT_TRUE(PumpUntil([&] { return !Send(hung, WM_NULL, 0, 0, 100); })) << "the fixture did not hang";
    qov_->Command(IDM_MINIMIZE);
    EXPECT_TRUE(KeepsRefreshing()) << "QOV froze while its command waited for the hung window";
    // The next command waits its turn, and runs once the first has given up.
    ASSERT_TRUE(qov_->Select(other));
    qov_->Command(IDM_MINIMIZE);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(other); }, 8s))
        << "the command on the hung window did not give up while it stayed hung";
}

// True when QOV's box titled "V O V" says `message`; the box is closed.
bool BoxSays(const wchar_t* message) {
    const HWND box = WaitForShown(L"#32770", L"V O V");
    const bool says = box && FindWindowExW(box, nullptr, WC_STATICW, message);
    return PostMessageW(box, WM_COMMAND, IDOK, 0) && PumpUntil([&] { return !IsWindow(box); }) && says;
}

struct Placed { UINT show; RECT normal; };
bool operator==(const Placed& a, const Placed& b) { return a.show == b.show && EqualRect(&a.normal, &b.normal); }
void PrintTo(const Placed& p, std::ostream* out) {
    *out << "show " << p.show << " (" << p.normal.left << "," << p.normal.top << ")-(" << p.normal.right << ","
         << p.normal.bottom << ")";
}
Placed PlacementOf(HWND window) {  // the virtual desktop has no taskbar: workspace is screen
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    return {placement.showCmd, placement.rcNormalPosition};
}

TEST_F(E2e, IntoViewBringsAWindowFromFarOffTheDesktop) {
    const HWND away = Add(L"Far Fixture");
    MoveWindow(away, 3000, 200, 400, 300, TRUE);  // the desktop is 1024 x 768
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov_->WaitForRow(away) && qov_->Select(away));
    ASSERT_TRUE(qov_->ChooseFromWindowMenu(L'B'));
    EXPECT_TRUE(PumpUntil([&] { return PlacementOf(away) == Placed{SW_SHOWNORMAL, {624, 200, 1024, 500}}; }))
        << testing::PrintToString(PlacementOf(away));
    EXPECT_TRUE(KeepsRefreshing());
}

// Wine tells no other process a minimised window's normal place: the
// minimised window is saved with its show state alone and gets it back.
TEST_F(E2e, ALayoutSavedInOneRunPutsTheWindowsBackInTheNext) {
    const HWND first = Add(L"First Fixture"), second = Add(L"Second Fixture"), third = Add(L"Third Fixture");
    ShowWindow(Add(L"Hidden Fixture, no target of the visible windows"), SW_HIDE);
    MoveWindow(first, 100, 50, 500, 350, TRUE);
    MoveWindow(second, 300, 200, 400, 300, TRUE);
    SetWindowPos(second, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(third, SW_SHOWMINNOACTIVE);
    const Placed firstPlaced = PlacementOf(first), secondPlaced = PlacementOf(second);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov_->WaitForRow(first) && qov_->WaitForRow(second) && qov_->WaitForRow(third));
    qov_->Command(IDM_SAVE_LAYOUT);
    EXPECT_TRUE(BoxSays(L"3 個のウィンドウの配置を保存しました。"));
    ASSERT_TRUE(qov_->Close());

    ShowWindow(first, SW_SHOWMINNOACTIVE);
    MoveWindow(second, 20, 30, 200, 100, TRUE);
    SetWindowPos(second, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(third, SW_SHOWNOACTIVATE);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov_->WaitForRow(first) && qov_->WaitForRow(second) && qov_->WaitForRow(third));
    qov_->Command(IDM_RESTORE_LAYOUT);
    EXPECT_TRUE(BoxSays(L"3 個のウィンドウを元の配置に戻しました。\n見つからなかったウィンドウ: 0 個"));
    EXPECT_TRUE(PumpUntil([&] { return PlacementOf(first) == firstPlaced && PlacementOf(second) == secondPlaced; }))
        << testing::PrintToString(PlacementOf(first)) << " " << testing::PrintToString(PlacementOf(second));
    EXPECT_TRUE(PumpUntil([&] { return (GetWindowLongW(second, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(third) != FALSE; })) << "the minimised window was not minimised again";
    EXPECT_TRUE(Normal(first));
}

// Refusing to close its own row also proves that QOV still takes commands.
TEST_F(E2e, AfterACancelledLogOffQovKeepsWorkingAndThenSavesItsSettingsAtTheLogOff) {
    ASSERT_NO_FATAL_FAILURE(Start({{L"UpdateInterval", L"100"}, {L"SystemWindow", L"True"}}));
    EXPECT_EQ(Send(qov_->Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_TRUE(Send(qov_->Main(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF));
    ASSERT_TRUE(qov_->WaitForRow(qov_->Main()) && KeepsRefreshing());  // a row below QOV's own
    ASSERT_TRUE(qov_->Select(qov_->Main()) && qov_->ClickToolbar(kToolbarClose));
    EXPECT_TRUE(BoxSays(L"QOV 自身のウィンドウには操作しません。"));
    EXPECT_EQ(Send(qov_->Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(Stored(L"TitleWidth"), L"4000") << "the settings were not saved";
    Send(qov_->Main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(qov_->WaitForExit(), 0u);
}

// Each pair is given at once, the second while the first still waits for its
// slow window: both run, in the order given, on the window meant.
TEST_F(E2e, CommandsGivenBackToBackAllRunInTheOrderGiven) {
    const HWND slow = Add(L"Slow Fixture", 500ms), other = Add(L"Other Slow Fixture", 500ms);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov_->WaitForRow(slow) && qov_->WaitForRow(other) && qov_->Select(slow));
    constexpr int kToolbarMinimize = 3;
    const std::tuple<const char*, std::function<bool()>, std::function<bool()>> steps[] = {
        {"toolbar minimise, pop-up maximise",
         [&] { return qov_->ClickToolbar(kToolbarMinimize) && qov_->ChooseFromPopup(L'X'); },
         [&] { return IsZoomed(slow) && IsWindowVisible(slow) && Normal(other); }},
        {"全て最大化, 全て非表示", [&] { return qov_->Command(IDM_ALL_MAXIMIZE), qov_->Command(IDM_ALL_HIDE), true; },
         [&] { return IsZoomed(other) && !IsWindowVisible(other) && !IsWindowVisible(slow); }},
        {"menu minimise, Ctrl+H", [&] { return qov_->ChooseFromWindowMenu(L'N') && qov_->Type({VK_CONTROL, 'H'}); },
         [&] { return IsIconic(slow) && !IsWindowVisible(slow); }},
    };
    for (const auto& [name, give, done] : steps) {
        ASSERT_TRUE(give()) << name;
        EXPECT_TRUE(PumpUntil(done, 8s)) << name;
        Sleep(600);
        EXPECT_TRUE(done()) << name << ": undone later";
    }
}

// The row icons: images of the list's image list, by status.
enum { kMaximisedIcon, kMinimisedIcon, kNormalIcon, kHiddenIcon, kNoRow = -1 };

// Each toolbar button, the single-window menu by its access keys, the pop-up
// menu and the shortcut keys, each on the window meant, with the row icon its
// new status shows.
TEST_F(E2e, EveryWayToGiveACommandChangesItsWindowsAndTheirRowIcons) {
    const HWND one = Add(L"Target Fixture"), other = Add(L"Other Fixture"), third = Add(L"Third Fixture");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov_->WaitForRow(one) && qov_->WaitForRow(other) && qov_->WaitForRow(third) && qov_->Select(one));
    const auto toolbar = [this](int position) { return [=, this] { return qov_->ClickToolbar(position); }; };
    const auto menu = [this](int key) { return [=, this] { return qov_->ChooseFromWindowMenu(key); }; };
    const auto popup = [this](int key) { return [=, this] { return qov_->ChooseFromPopup(key); }; };
    const auto ctrl = [this](WORD key) { return [=, this] { return qov_->Type({VK_CONTROL, key}); }; };
    const std::vector<HWND> both{other, third};
    const std::tuple<const char*, std::function<bool()>, std::vector<HWND>, bool (*)(HWND), int> steps[] = {
        {"toolbar 最小化", toolbar(3), {one}, Minimised, kMinimisedIcon},
        {"toolbar 元のサイズに戻す", toolbar(0), {one}, Normal, kNormalIcon},
        {"toolbar 最大化", toolbar(4), {one}, Maximised, kMaximisedIcon},
        {"toolbar 非表示", toolbar(6), {one}, Hidden, kHiddenIcon},
        {"toolbar 表示", toolbar(7), {one}, Maximised, kMaximisedIcon},
        {"menu 元のサイズに戻す", menu(L'R'), {one}, Normal, kNormalIcon},  // a maximised window cannot move
        {"toolbar 移動", toolbar(1), {one}, Moving, kNormalIcon},
        {"toolbar サイズ変更", toolbar(2), {one}, Moving, kNormalIcon},
        {"menu 移動", menu(L'M'), {one}, Moving, kNormalIcon},
        {"menu サイズ変更", menu(L'S'), {one}, Moving, kNormalIcon},
        {"menu 最小化", menu(L'N'), {one}, Minimised, kMinimisedIcon},
        {"menu 最大化", menu(L'X'), {one}, Maximised, kMaximisedIcon},
        {"Ctrl+H", ctrl('H'), {one}, Hidden, kHiddenIcon},
        {"Ctrl+S", ctrl('S'), {one}, Maximised, kMaximisedIcon},
        {"pop-up 元のサイズに戻す", popup(L'R'), {one}, Normal, kNormalIcon},
        {"pop-up 最小化", popup(L'N'), {one}, Minimised, kMinimisedIcon},
        {"pop-up 最大化", popup(L'X'), {one}, Maximised, kMaximisedIcon},
        {"menu 常に再前面に表示", menu(L'A'), {one}, Topmost, kMaximisedIcon},
        {"menu 前面に表示", menu(L'T'), {one}, InFront, kMaximisedIcon},
        {"toolbar 閉じる", toolbar(9), {one}, Gone, kNoRow},
        {"toolbar 全て最小化", toolbar(12), both, Minimised, kMinimisedIcon},
        {"toolbar 全て元のサイズに戻す", toolbar(11), both, Normal, kNormalIcon},
        {"toolbar 全て最大化", toolbar(13), both, Maximised, kMaximisedIcon},
        {"toolbar 全て非表示", toolbar(15), both, Hidden, kHiddenIcon},
        {"全てのウィンドウ, toolbar 全て表示", [&] { return qov_->Command(IDM_TARGET_ALL), qov_->ClickToolbar(16); },
         both, Maximised, kMaximisedIcon},
        {"toolbar 全て閉じる", toolbar(18), both, Gone, kNoRow},
    };
    for (const auto& [way, give, windows, done, icon] : steps) {  // each step starts where the last ended
        ASSERT_TRUE(give()) << way;
        ASSERT_TRUE(PumpUntil([&] { return std::ranges::all_of(windows, done); }, 8s)) << way;
        for (const HWND window : windows) {
            ASSERT_TRUE(PumpUntil([&] { return qov_->Icon(window) == icon; }, 5s))
                << way << ": icon " << qov_->Icon(window) << " instead of " << icon;
        }
        ASSERT_TRUE(windows != std::vector{one} || (Normal(other) && Normal(third))) << way << ": another changed";
    }
}

TEST_F(E2e, EscOrClosingQovEndsAWaitForAWindowThatKeepsAsking) {
    const HWND asking = Add(L"Asking Fixture", 40s), other = Add(L"Other Fixture");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov_->WaitForRow(asking) && qov_->WaitForRow(other) && qov_->Select(asking));
    const std::wstring waiting =
        L"「Asking Fixture」の応答を待っています。Esc キーで待つのをやめます。";
    qov_->Command(IDM_CLOSE);
    EXPECT_TRUE(PumpUntil([&] { return qov_->StatusText() == waiting; })) << qov_->StatusText();
    ASSERT_TRUE(qov_->Select(other));
    qov_->Command(IDM_MINIMIZE);  // waits its turn
    EXPECT_TRUE(KeepsRefreshing());
    EXPECT_FALSE(IsIconic(other)) << "it ran before the first was done";
    ASSERT_TRUE(qov_->PressEscape());
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(other); }, 5s)) << "the wait did not end, or the next was lost";
    EXPECT_TRUE(IsWindow(asking)) << "its question was not left to its user";

    ASSERT_TRUE(qov_->Select(asking));
    qov_->Command(IDM_CLOSE);
    EXPECT_TRUE(PumpUntil([&] { return qov_->StatusText() == waiting; })) << qov_->StatusText();
    EXPECT_TRUE(qov_->Close()) << "QOV did not close while it waited";
    EXPECT_EQ(Stored(L"ShowOnly"), L"True") << "the settings were not saved";
}

// With every window listed and every window a target, the shell's windows and
// QOV's own are listed but never touched.
TEST_F(E2e, UnderAllWindowsNothingOfTheShellsOrQovsOwnIsTouched) {
    const HWND plain = Add(L"Plain Fixture"), desktop = Add(L"Program Manager", 0ms, L"Progman"),
               taskbar = Add(L"", 0ms, L"Shell_TrayWnd");
    ASSERT_NO_FATAL_FAILURE(
        Start({{L"UpdateInterval", L"100"}, {L"SystemWindow", L"True"}, {L"ShowNoname", L"True"}}));
    for (const HWND listed : {plain, desktop, taskbar, qov_->Main()}) ASSERT_TRUE(qov_->WaitForRow(listed));
    EXPECT_LT(qov_->RowOf(FindWindowW(L"QOV.DialogOwner", nullptr)), 0) << "the dialogs' hidden owner is listed";
    for (const int id : {IDM_TARGET_ALL, IDM_ALL_SHOW, IDM_ALL_MINIMIZE, IDM_ALL_HIDE, IDM_ALL_CLOSE}) qov_->Command(id);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(plain); }));
    Sleep(500);
    for (const HWND untouched : {desktop, taskbar, qov_->Main()})
        EXPECT_TRUE(IsWindow(untouched) && Normal(untouched)) << untouched;
    EXPECT_FALSE(IsWindowVisible(FindWindowW(nullptr, L"V O V　＜設定＞"))) << "QOV's hidden dialog was shown";
    ASSERT_TRUE(qov_->Select(desktop));
    qov_->Command(IDM_CLOSE);
    EXPECT_TRUE(BoxSays(L"デスクトップやタスクバーなど、Windows のシェルのウィンドウには操作しません"
                        L"（閉じると Windows の終了を求めることになり、隠すとタスクバーが消えます）。"));
    EXPECT_TRUE(IsWindow(desktop));
}

// The test's recorder stands in for the program that opens .html files, so what
// the shell is asked to open is seen without a browser. Wine 8's shell reads
// associations from HKEY_LOCAL_MACHINE\Software\Classes only: the build's
// prefix gets one there, undone after.
class Help : public E2e {
protected:
    void SetUp() override {
        E2e::SetUp();
        DeleteFileW(record_.c_str());
        wchar_t tests[MAX_PATH * 4] = {};
        GetModuleFileNameW(nullptr, tests, MAX_PATH * 4);
        SetDefault(kHtml, L"QovTest.HelpPage");
        SetDefault(kOpen, L"\"" + FolderOf(tests) + L"\\help_recorder.exe\" \"" + record_ + L"\" \"%1\"");
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\QovTest.HelpPage");
        if (earlier_) SetDefault(kHtml, *earlier_);
        DeleteFileW(record_.c_str());
    }
    // What the recorder was asked to open, once it has written it (UTF-16) and let go of the file.
    std::optional<std::wstring> Opened() const {
        const HANDLE file = CreateFileW(record_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return {};
        const win32::UniqueKernelHandle record{file};
        wchar_t text[1024] = {};
        DWORD bytes = 0;
        if (!ReadFile(file, text, sizeof(text) - sizeof(wchar_t), &bytes, nullptr)) return {};
        return std::wstring(text, bytes / sizeof(wchar_t));
    }

private:
    static constexpr const wchar_t* kHtml = L"Software\\Classes\\.html";
    static constexpr const wchar_t* kOpen = L"Software\\Classes\\QovTest.HelpPage\\shell\\open\\command";
    static void SetDefault(const wchar_t* key, const std::wstring& value) {
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    static std::optional<std::wstring> Default(const wchar_t* key) {
        wchar_t text[512] = {};
        DWORD bytes = sizeof(text);
        if (RegGetValueW(HKEY_LOCAL_MACHINE, key, nullptr, RRF_RT_REG_SZ, nullptr, text, &bytes)) return {};
        return text;
    }
    const std::optional<std::wstring> earlier_ = Default(kHtml);
    const std::wstring record_ = TempPath(L"qov_help_record.txt");
};

TEST_F(Help, F1AsksTheShellToOpenTheHelpPageBesideTheProgram) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov_->Type({VK_F1}));
    EXPECT_TRUE(PumpUntil([&] { return Opened().has_value(); })) << "F1 started nothing that opens .html files";
    EXPECT_EQ(Opened(), FolderOf(QovExe()) + L"\\help\\qov-help.html");
}

// A copy of the program without its help folder says which file it misses.
TEST_F(Help, AMissingHelpPageIsNamedInQovsMessageBox) {
    const std::wstring folder = TempPath(L"qov_without_help"), copy = folder + L"\\qov.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(QovExe().c_str(), copy.c_str(), FALSE));
    ASSERT_NO_FATAL_FAILURE(Start({}, copy));
    qov_->Command(IDM_HELP);
    EXPECT_TRUE(BoxSays((L"ヘルプファイルが見つかりません。\n\n" + folder + L"\\help\\qov-help.html").c_str()));
    EXPECT_FALSE(Opened()) << "the shell was asked to open a page that is not there";
    ASSERT_TRUE(qov_->Close());
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace qov::e2e

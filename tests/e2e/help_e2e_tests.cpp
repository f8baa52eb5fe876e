// F1 in the real qov.exe opens the help page shipped beside it through the
// shell. The test makes a recorder of its own the program that opens .html
// files, so what the shell was asked to open is seen without a browser.
// Wine 8 reads file associations from HKEY_LOCAL_MACHINE\Software\Classes
// only (one made for the current user under HKEY_CURRENT_USER is not seen by
// ShellExecute there), so the association is made in the machine's classes of
// the build's prefix, and undone after.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>

#include "core/command_ids.h"
#include "win32/handles.h"
#include "win32/test_support.h"

namespace qov::e2e {
namespace {

using namespace std::chrono_literals;
using test::PumpUntil;

constexpr wchar_t kClasses[] = L"Software\\Classes";
constexpr wchar_t kProgId[] = L"QovTest.HelpPage";

std::wstring Widened(const char* text) { return std::wstring(text, text + std::strlen(text)); }

std::wstring WindowsPath(std::wstring path) {
    for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
    return path;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring ThisProgramFolder() {
    wchar_t path[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return FolderOf(path);
}

std::wstring TempFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

void SetDefault(const std::wstring& key, const std::wstring& value) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::wstring> Default(const std::wstring& key) {
    wchar_t text[512] = {};
    DWORD bytes = sizeof(text);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &bytes)) return {};
    return text;
}

// None until the recorder has written the file and closed it.
std::optional<std::wstring> ReadRecord(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    const win32::UniqueKernelHandle record{file};
    wchar_t text[4096] = {};
    DWORD bytes = 0;
    if (!ReadFile(file, text, sizeof(text) - sizeof(wchar_t), &bytes, nullptr)) return {};
    return std::wstring(text, bytes / sizeof(wchar_t));
}

// A QOV started for one test, with its main window once shown; closed (or
// ended, if it does not close) when the test is over.
class Program {
public:
    explicit Program(const std::wstring& path) {
        std::wstring commandLine = L"\"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &started))
            return;
        CloseHandle(started.hThread);
        process_.reset(started.hProcess);
        const DWORD id = started.dwProcessId;
        PumpUntil([&] {
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"QOV.MainWindow", L"V O V"));) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == id && IsWindowVisible(w)) main_ = w;
            }
            return main_ != nullptr;
        });
    }
    ~Program() {
        if (!process_) return;
        if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 1);
    }
    HWND Main() const { return main_; }

private:
    win32::UniqueKernelHandle process_;
    HWND main_ = nullptr;
};

void PressF1(HWND window) {
    SetForegroundWindow(window);
    PumpUntil([&] { return GetForegroundWindow() == window; }, 3s);
    INPUT keys[2] = {};
    for (INPUT& key : keys) key.type = INPUT_KEYBOARD, key.ki.wVk = VK_F1;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// The text of QOV's box titled "V O V", once one is shown; the box is closed.
std::optional<std::wstring> BoxText() {
    HWND box = nullptr;
    PumpUntil([&] { return (box = FindWindowW(L"#32770", L"V O V")) && IsWindowVisible(box); });
    if (!box) return {};
    std::wstring text;
    for (HWND s = nullptr; (s = FindWindowExW(box, s, L"Static", nullptr));) {
        wchar_t part[1024] = {};
        GetWindowTextW(s, part, static_cast<int>(std::size(part)));
        text += part;
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    PumpUntil([&] { return !IsWindow(box); });
    return text;
}

class Help : public testing::Test {
protected:
    // .html opens with the recorder; the prefix is the build's, so what it opened with is put back after.
    void SetUp() override {
        DeleteFileW(record_.c_str());
        const std::wstring recorder = ThisProgramFolder() + L"\\help_recorder.exe";
        SetDefault(extension_, kProgId);
        SetDefault(progId_ + L"\\shell\\open\\command", L"\"" + recorder + L"\" \"" + record_ + L"\" \"%1\"");
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, progId_.c_str());
        if (earlier_) SetDefault(extension_, *earlier_);
        else RegDeleteTreeW(HKEY_LOCAL_MACHINE, extension_.c_str());
        DeleteFileW(record_.c_str());
    }
    const std::wstring extension_ = std::wstring(kClasses) + L"\\.html";
    const std::wstring progId_ = std::wstring(kClasses) + L"\\" + kProgId;
    const std::optional<std::wstring> earlier_ = Default(extension_);
    const std::wstring record_ = TempFile(L"qov_help_record.txt");
    const std::wstring qov_ = WindowsPath(Widened(std::getenv("QOV_EXE")));
};

TEST_F(Help, F1AsksTheShellToOpenTheHelpPageBesideTheProgram) {
    const Program qov(qov_);
    ASSERT_TRUE(qov.Main()) << "qov.exe showed no main window";
    const std::wstring page = FolderOf(qov_) + L"\\help\\qov-help.html";
    ASSERT_NE(GetFileAttributesW(page.c_str()), INVALID_FILE_ATTRIBUTES) << "the build put no help page beside qov.exe";

    PressF1(qov.Main());
    std::optional<std::wstring> opened;
    EXPECT_TRUE(PumpUntil([&] { return (opened = ReadRecord(record_)).has_value(); }))
        << "F1 started nothing that opens .html files";
    EXPECT_EQ(opened.value_or(L""), page);
    EXPECT_FALSE(FindWindowW(L"#32770", L"V O V")) << "a message box came up although the page opened";
}

// A copy of the program without its help folder says which file it misses.
TEST_F(Help, AMissingHelpPageIsNamedInQovsMessageBox) {
    const std::wstring folder = TempFile(L"qov_without_help");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\qov.exe";
    ASSERT_TRUE(CopyFileW(qov_.c_str(), copy.c_str(), FALSE));
    {
        const Program qov(copy);
        ASSERT_TRUE(qov.Main()) << "the copy of qov.exe showed no main window";
        PostMessageW(qov.Main(), WM_COMMAND, IDM_HELP, 0);
        const std::optional<std::wstring> text = BoxText();
        ASSERT_TRUE(text.has_value()) << "no message box for the missing help page";
        EXPECT_NE(text->find(L"ヘルプファイルが見つかりません"), std::wstring::npos) << *text;
        EXPECT_NE(text->find(folder + L"\\help\\qov-help.html"), std::wstring::npos) << *text;
        EXPECT_FALSE(ReadRecord(record_)) << "the shell was asked to open a page that is not there";
    }
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace qov::e2e

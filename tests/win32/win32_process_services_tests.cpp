#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_process_services.h"

namespace qov::win32 {
namespace {

std::string CurrentDirectory() {
    wchar_t buffer[1024] = {};
    GetCurrentDirectoryW(1024, buffer);
    return WideToUtf8(buffer);
}

TEST(ProcessServices, ProgramFolderHoldsTheRunningProgram) {
    Win32ProcessServices services;
    const std::string folder = services.ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\') << "no trailing separator";
    wchar_t path[1024] = {};
    GetModuleFileNameW(nullptr, path, 1024);
    const std::string exe = WideToUtf8(path);
    EXPECT_EQ(exe.substr(0, folder.size() + 1), folder + "\\");
    EXPECT_EQ(exe.find('\\', folder.size() + 1), std::string::npos);
}

TEST(ProcessServices, ChangeDirectoryReportsWhetherItMoved) {
    Win32ProcessServices services;
    const std::string before = CurrentDirectory();
    const std::string folder = services.ProgramFolder();
    EXPECT_TRUE(services.ChangeDirectory(folder));
    EXPECT_EQ(CurrentDirectory(), folder);
    EXPECT_FALSE(services.ChangeDirectory(folder + "\\存在しないフォルダ"));
    EXPECT_EQ(CurrentDirectory(), folder);
    services.ChangeDirectory(before);
}

TEST(ProcessServices, StartProgramReportsWhetherItStarted) {
    Win32ProcessServices services;
    EXPECT_TRUE(services.StartProgram("cmd.exe /c exit 0"));
    EXPECT_FALSE(services.StartProgram("qov-no-such-program-here.exe"));
}

}  // namespace
}  // namespace qov::win32

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/help_file.h"

namespace qov {
namespace {

TEST(HelpFilePath, TheHelpFolderBesideTheProgramWithOneSeparatorBetweenParts) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\QOV\\qov.exe", "C:\\Program Files\\QOV\\help\\qov-help.html"},
        {"C:\\qov.exe", "C:\\help\\qov-help.html"},
        {"\\\\server\\share\\QOV\\qov.exe", "\\\\server\\share\\QOV\\help\\qov-help.html"},
        {"\\\\?\\C:\\ツール\\qov.exe", "\\\\?\\C:\\ツール\\help\\qov-help.html"},
        {"Z:/build/qov.exe", "Z:/build/help/qov-help.html"},
        {"qov.exe", "help\\qov-help.html"}};
    for (const auto& [program, help] : cases) EXPECT_EQ(HelpFilePath(program), help) << program;
}

}  // namespace
}  // namespace qov

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/help_file.h"

namespace qov {
namespace {

TEST(ProgramFolder, FolderOfTheProgramFileRootsKeepTheirSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Tools\\qov.exe", "C:\\Tools"}, {"C:\\qov.exe", "C:\\"}, {"C:/qov.exe", "C:/"},
        {"\\\\h\\s\\qov.exe", "\\\\h\\s"}, {"qov.exe", ""}};
    for (const auto& [path, folder] : cases) EXPECT_EQ(ProgramFolder(path), folder) << path;
}

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

TEST(HelpFailureMessage, SaysWhatFailedAndNamesTheFile) {
    const std::string path = "C:\\QOV\\help\\qov-help.html";
    const std::string missing = HelpFailureMessage(HelpFailure::Missing, path);
    const std::string notOpened = HelpFailureMessage(HelpFailure::NotOpened, path);
    EXPECT_EQ(missing, "ヘルプファイルが見つかりません。\n\n" + path);
    EXPECT_NE(notOpened.find("開けませんでした"), std::string::npos) << notOpened;
    EXPECT_TRUE(notOpened.ends_with("\n\n" + path)) << notOpened;
}

}  // namespace
}  // namespace qov

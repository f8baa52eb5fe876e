#include "core/help_file.h"

namespace qov {

// Beside the program, with the separator its own path uses: "C:\\qov.exe"
// gives "C:\\help\\qov-help.html", and a bare "qov.exe" a relative path.
std::string HelpFilePath(const std::string& programPath) {
    const std::size_t separator = programPath.find_last_of("\\/");
    if (separator == std::string::npos) return std::string(kHelpFolder) + '\\' + kHelpFileName;
    const char slash = programPath[separator];
    return programPath.substr(0, separator + 1) + kHelpFolder + slash + kHelpFileName;
}

std::string HelpFailureMessage(HelpFailure failure, const std::string& helpPath) {
    const char* what = failure == HelpFailure::Missing
                           ? "ヘルプファイルが見つかりません。"
                           : "ヘルプファイルを開けませんでした。HTML ファイルを開くプログラムを確認してください。";
    return std::string(what) + "\n\n" + helpPath;
}

}  // namespace qov

#include "core/help_file.h"

namespace qov {

std::string ProgramFolder(const std::string& programPath) {
    const std::size_t separator = programPath.find_last_of("\\/");
    if (separator == std::string::npos) return {};
    std::string folder = programPath.substr(0, separator);
    // "C:" alone names drive C's current folder, not its root, and "" would
    // name the current folder: a root keeps its separator.
    if (folder.empty() || (folder.size() == 2 && folder[1] == ':'))
        folder.push_back(programPath[separator]);
    return folder;
}

// The path is built with the separator the program's own path uses, so a
// root folder ("C:\\") gets no second one.
std::string HelpFilePath(const std::string& programPath) {
    std::string path = ProgramFolder(programPath);
    const std::size_t separator = programPath.find_last_of("\\/");
    const char slash = separator == std::string::npos ? '\\' : programPath[separator];
    if (!path.empty() && path.back() != slash) path.push_back(slash);
    return path + kHelpFolder + slash + kHelpFileName;
}

std::string HelpFailureMessage(HelpFailure failure, const std::string& helpPath) {
    const char* what = failure == HelpFailure::Missing
                           ? "ヘルプファイルが見つかりません。"
                           : "ヘルプファイルを開けませんでした。HTML ファイルを開くプログラムを確認してください。";
    return std::string(what) + "\n\n" + helpPath;
}

}  // namespace qov

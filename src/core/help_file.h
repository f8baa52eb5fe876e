#pragma once
// Where the help document lives and what the program says when it cannot be
// shown. The document is a page of the program's own package, installed in
// the "help" folder beside the program file, with its pictures beside it.

#include <string>

namespace qov {

inline constexpr const char* kHelpFolder = "help";
inline constexpr const char* kHelpFileName = "qov-help.html";

// The full path of the help document that belongs to the program at
// `programPath` (the running program's full path).
std::string HelpFilePath(const std::string& programPath);

enum class HelpFailure { Missing, NotOpened };

// The message box text for a help document that is not there, or that the
// system could not open; it names the document's full path.
std::string HelpFailureMessage(HelpFailure failure, const std::string& helpPath);

}  // namespace qov

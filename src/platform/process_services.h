#pragma once
#include <string>

namespace qov {

class ProcessServices {
public:
    virtual ~ProcessServices() = default;
    // Folder that holds the program's executable, without a trailing separator.
    virtual std::string ProgramFolder() = 0;
    virtual bool ChangeDirectory(const std::string& folder) = 0;
    // Starts `commandLine` as a separate program, shown normally, and does not
    // wait for it. False when it could not be started.
    virtual bool StartProgram(const std::string& commandLine) = 0;
};

}  // namespace qov

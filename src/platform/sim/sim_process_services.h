#pragma once
// Process services that start nothing: they record what the program asked
// for and answer as the test tells them to.

#include <string>
#include <vector>

#include "platform/process_services.h"

namespace qov::sim {

class SimProcessServices : public ProcessServices {
public:
    explicit SimProcessServices(std::string programFolder = "C:\\Program Files\\QOV")
        : programFolder_(std::move(programFolder)) {}

    std::string ProgramFolder() override { return programFolder_; }
    bool ChangeDirectory(const std::string& folder) override;
    bool StartProgram(const std::string& commandLine) override;

    void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
    void SetChangeDirectoryResult(bool result) { changeDirectoryResult_ = result; }
    void SetStartProgramResult(bool result) { startProgramResult_ = result; }

    // Every call in order, including those that were answered with false.
    const std::vector<std::string>& DirectoryChanges() const { return directoryChanges_; }
    const std::vector<std::string>& StartedPrograms() const { return startedPrograms_; }
    // The folder of the last successful ChangeDirectory; empty before one.
    const std::string& CurrentDirectory() const { return currentDirectory_; }

private:
    std::string programFolder_;
    std::string currentDirectory_;
    bool changeDirectoryResult_ = true;
    bool startProgramResult_ = true;
    std::vector<std::string> directoryChanges_;
    std::vector<std::string> startedPrograms_;
};

}  // namespace qov::sim

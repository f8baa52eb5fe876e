#include "platform/sim/sim_process_services.h"

namespace qov::sim {

bool SimProcessServices::ChangeDirectory(const std::string& folder) {
    directoryChanges_.push_back(folder);
    if (changeDirectoryResult_) currentDirectory_ = folder;
    return changeDirectoryResult_;
}

bool SimProcessServices::StartProgram(const std::string& commandLine) {
    startedPrograms_.push_back(commandLine);
    return startProgramResult_;
}

}  // namespace qov::sim

#pragma once
#include "platform/process_services.h"

namespace qov::win32 {

class Win32ProcessServices final : public ProcessServices {
public:
    std::string ProgramFolder() override;
    bool ChangeDirectory(const std::string& folder) override;
    bool StartProgram(const std::string& commandLine) override;
};

}  // namespace qov::win32

// Entry point of the Windows test programs. They run inside a Wine virtual
// desktop, whose exit status is always 0, so the result also goes to the file
// named by QOV_RESULT_FILE for the wrapper script to turn into an exit code.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

void WriteResultFile(int result) {
    const char* path = std::getenv("QOV_RESULT_FILE");
    if (path == nullptr || *path == '\0') return;
    if (std::FILE* file = std::fopen(path, "w")) {
        std::fprintf(file, "%d\n", result);
        std::fclose(file);
    } else {
        std::fprintf(stderr, "cannot write the result file %s\n", path);
    }
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::fflush(stdout);
    WriteResultFile(result);
    return result;
}

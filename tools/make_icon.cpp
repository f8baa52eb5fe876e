// Writes the program's icon file, src/app/qov.ico, from the same picture
// code that paints the icon at run time, so the icon Explorer, the Start
// menu and the installer show is the one the program draws. Run it again
// after changing the picture (cmake --build --preset mingw --target update_icon)
// and commit the file; normal builds only embed it.
//
//   make_icon OUTPUT.ico
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "icon_file.h"
#include "win32/pictures.h"
#include "program_icon_sizes.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    std::vector<qov::tools::IconImage> images;
    for (int size : qov::tools::kProgramIconSizes) {
        const qov::win32::UniqueIcon icon = qov::win32::CreateProgramIcon(size);
        images.push_back(qov::tools::CaptureIcon(icon.get()));
        if (images.back().size != size) {
            std::fprintf(stderr, "make_icon: the %d-pixel icon could not be painted\n", size);
            return 1;
        }
    }
    const std::vector<std::uint8_t> bytes = qov::tools::EncodeIconFile(images);

    std::ofstream file(std::filesystem::path(argv[1]), std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "make_icon: writing %ls failed\n", argv[1]);
        return 1;
    }
    std::printf("make_icon: wrote %zu bytes to %ls\n", bytes.size(), argv[1]);
    return 0;
}

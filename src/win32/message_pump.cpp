#include "win32/message_pump.h"

namespace qov::win32 {

std::optional<int> RunPendingMessages(const PreTranslate& preTranslate, UINT only) {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | only)) {
        if (message.message == WM_QUIT) {
            const int exitCode = static_cast<int>(message.wParam);
            ::PostQuitMessage(exitCode);
            return exitCode;
        }
        if (preTranslate && preTranslate(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return std::nullopt;
}

}  // namespace qov::win32

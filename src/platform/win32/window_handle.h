#pragma once
// 64-bit Windows keeps window handles to 32 significant bits, sign-extended,
// so the portable 32-bit handle converts to and from HWND without loss.
#include <windows.h>

#include <cstdint>

#include "platform/window_system.h"

namespace qov::win32 {

inline HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
}

inline WindowHandle ToWindowHandle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(window));
}

}  // namespace qov::win32

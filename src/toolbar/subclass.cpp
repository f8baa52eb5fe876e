#include "toolbar/subclass.h"

#include <cstdint>

#include "toolbar/ctoolbar.h"

namespace qov::toolbar::basSubClass {

std::wstring PropertyName(HWND host) {
    // Window handles keep 32 significant bits, sign-extended, so the name is
    // the same whichever bitness looks at the window.
    const auto handle = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(host));
    return std::to_wstring(handle);
}

LRESULT CALLBACK SubClassWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* object = static_cast<cToolBar*>(GetPropW(hwnd, PropertyName(hwnd).c_str()));
    // The object sets the property before this procedure is installed and
    // removes it only after the previous one is back, so it is always found.
    if (object == nullptr) return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    return object->CallBackWindowProc(hwnd, uMsg, wParam, lParam);
}

}  // namespace qov::toolbar::basSubClass

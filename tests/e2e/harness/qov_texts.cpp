#include "qov_texts.h"

#include <cstdint>

namespace qov::e2e {

std::wstring HandleText(HWND window) {
    // Window handles keep 32 significant bits, sign-extended.
    const auto value = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window));
    std::wstring text = value < 0 ? L"" : L" ";
    text += std::to_wstring(value);
    return text;
}

std::wstring RectText(const RECT& rect) {
    return L"(" + std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L")-(" +
           std::to_wstring(rect.right) + L"," + std::to_wstring(rect.bottom) + L")";
}

std::wstring WindowRectText(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return RectText(rect);
}

std::wstring StatusOf(HWND window, const std::wstring& state) {
    return GetForegroundWindow() == window ? state + L"(Act)" : state;
}

std::wstring StatusCountText(int count) {
    std::wstring text = count < 0 ? L"" : L" ";
    text += std::to_wstring(count);
    text += L"個のウィンドウが存在します";
    return text;
}

}  // namespace qov::e2e

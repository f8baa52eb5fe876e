#pragma once
// The texts QOV shows for a window, built the way a user would expect them
// from the window's own state, to compare with what the list reads.
#include <windows.h>

#include <string>

namespace qov::e2e {

// Column 5: the handle as a signed 32-bit decimal, a space before it when
// it is not negative.
std::wstring HandleText(HWND window);
// Column 3 for a normal or maximised window: "(left,top)-(right,bottom)".
std::wstring RectText(const RECT& rect);
// Column 3 for `window` as it is now.
std::wstring WindowRectText(HWND window);
// The status bar for `count` listed windows.
std::wstring StatusCountText(int count);

// A status text of column 2 as it reads for `window` now: "(Act)" follows
// the state when the window is the foreground window.
std::wstring StatusOf(HWND window, const std::wstring& state);

// The status texts of column 2.
inline const std::wstring kNormal = L"通常";
inline const std::wstring kMinimized = L"最小化";
inline const std::wstring kMaximized = L"最大化";
inline const std::wstring kHidden = L"非表示";
inline const std::wstring kNoRect = L"-";

}  // namespace qov::e2e

#pragma once
// Owning types for the Win32 handles the program creates: one template, a
// deleter per kind, so no path can leak a window, a menu, an image list, a
// GDI object, a registry key or a kernel handle.
//
//   UniqueWindow window{CreateWindowExW(...)};
//   if (!window) return;      // creation failed
//   HWND raw = window.get();  // borrow
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace qov::win32 {

template <auto Free>
struct HandleDeleter {
    template <typename H>
    void operator()(H handle) const noexcept { Free(handle); }
};

// std::unique_ptr over the handle's pointee: HWND is HWND__*, so
// UniqueHandle<HWND, ...>::pointer is HWND itself.
template <typename Handle, auto Free>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Free>>;

using UniqueWindow = UniqueHandle<HWND, ::DestroyWindow>;
using UniqueMenu = UniqueHandle<HMENU, ::DestroyMenu>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ::ImageList_Destroy>;
using UniqueFont = UniqueHandle<HFONT, ::DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, ::DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, ::DeleteObject>;
using UniquePen = UniqueHandle<HPEN, ::DeleteObject>;
using UniqueIcon = UniqueHandle<HICON, ::DestroyIcon>;
using UniqueKey = UniqueHandle<HKEY, ::RegCloseKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, ::CloseHandle>;  // NULL means none
using UniqueDC = UniqueHandle<HDC, ::DeleteDC>;
using UniqueWinEventHook = UniqueHandle<HWINEVENTHOOK, ::UnhookWinEvent>;

}  // namespace qov::win32

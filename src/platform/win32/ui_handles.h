#pragma once
// Owning wrappers for the handles the form toolkit creates. Each handle kind
// names the call that releases it, so no path through the toolkit can leak one.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace qov::win32::ui {

template <typename Handle, auto Release>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    ~Owned() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    Handle release() { return std::exchange(handle_, Handle{}); }
    void reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
};

inline void ReleaseFont(HFONT font) { DeleteObject(font); }
inline void ReleaseAccelerators(HACCEL table) { DestroyAcceleratorTable(table); }
inline void ReleaseMenu(HMENU menu) { DestroyMenu(menu); }
inline void ReleaseImageList(HIMAGELIST list) { ImageList_Destroy(list); }
inline void ReleaseKey(HKEY key) { RegCloseKey(key); }
inline void ReleaseHandle(HANDLE handle) { CloseHandle(handle); }
inline void ReleaseWindow(HWND window) {
    if (IsWindow(window)) DestroyWindow(window);
}

using UniqueFont = Owned<HFONT, ReleaseFont>;
using UniqueAccelerators = Owned<HACCEL, ReleaseAccelerators>;
using UniqueMenu = Owned<HMENU, ReleaseMenu>;
using UniqueImageList = Owned<HIMAGELIST, ReleaseImageList>;
using UniqueKey = Owned<HKEY, ReleaseKey>;
using UniqueKernelHandle = Owned<HANDLE, ReleaseHandle>;
using UniqueWindow = Owned<HWND, ReleaseWindow>;

}  // namespace qov::win32::ui

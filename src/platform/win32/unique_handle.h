#pragma once
// One owning type per kind of Win32 handle, so that no path through the code
// can leak a window, a menu, an image list, a GDI object or a kernel handle.
//
//   unique_hwnd window{CreateWindowExW(...)};
//   if (!window) return;            // creation failed
//   HWND raw = window.get();        // borrow
//   window.reset();                 // DestroyWindow now
//
// A traits type names the raw handle type, the value that means "none", how
// to free a handle and which kind of live handle it counts as (live_handles.h).
#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "platform/win32/live_handles.h"

namespace qov::win32 {

template <typename Traits>
class unique_handle {
public:
    using pointer = typename Traits::pointer;

    unique_handle() noexcept = default;
    explicit unique_handle(pointer handle) noexcept : handle_(handle) { Counted(handle_, +1); }
    ~unique_handle() { reset(); }

    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;

    // A move hands the handle over: it stays counted once.
    unique_handle(unique_handle&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::invalid())) {}
    unique_handle& operator=(unique_handle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    [[nodiscard]] pointer get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }

    // Gives up ownership without freeing.
    [[nodiscard]] pointer release() noexcept {
        Counted(handle_, -1);
        return std::exchange(handle_, Traits::invalid());
    }

    // Frees the current handle (if any) and takes ownership of `handle`.
    void reset(pointer handle = Traits::invalid()) noexcept {
        Counted(handle, +1);
        pointer old = std::exchange(handle_, handle);
        if (old != Traits::invalid()) {
            Traits::close(old);
            Counted(old, -1);
        }
    }

    // The slot an out-parameter API writes to; the handle written there is
    // counted when the call's full expression ends.
    class OutSlot {
    public:
        explicit OutSlot(unique_handle& owner) noexcept : owner_(owner) {}
        ~OutSlot() { Counted(owner_.handle_, +1); }
        OutSlot(const OutSlot&) = delete;
        OutSlot& operator=(const OutSlot&) = delete;
        operator pointer*() noexcept { return &owner_.handle_; }

    private:
        unique_handle& owner_;
    };

    // For APIs that return a handle through an out parameter (RegOpenKeyExW):
    // frees the current handle and hands out the slot.
    [[nodiscard]] OutSlot put() noexcept {
        reset();
        return OutSlot(*this);
    }

private:
    // A traits type that names no kind (one a test defines for itself) is not counted.
    static void Counted(pointer handle, long delta) noexcept {
        if constexpr (requires { Traits::kind; }) {
            if (handle != Traits::invalid()) LiveHandles::Add(Traits::kind, delta);
        }
    }

    pointer handle_ = Traits::invalid();
};

struct window_traits {
    static constexpr HandleKind kind = HandleKind::Window;
    using pointer = HWND;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DestroyWindow(h); }
};

struct menu_traits {
    static constexpr HandleKind kind = HandleKind::Menu;
    using pointer = HMENU;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DestroyMenu(h); }
};

struct image_list_traits {
    static constexpr HandleKind kind = HandleKind::ImageList;
    using pointer = HIMAGELIST;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::ImageList_Destroy(h); }
};

// GDI objects of every kind are freed by DeleteObject; one traits type per
// kind keeps the raw type exact, so no casts are needed at the call sites.
template <typename Gdi>
struct gdi_traits {
    static constexpr HandleKind kind = HandleKind::GdiObject;
    using pointer = Gdi;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DeleteObject(h); }
};

struct registry_key_traits {
    static constexpr HandleKind kind = HandleKind::RegistryKey;
    using pointer = HKEY;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::RegCloseKey(h); }
};

// Kernel handles whose "none" value is NULL (threads, events, processes).
// CreateFileW's INVALID_HANDLE_VALUE needs a traits type of its own.
struct kernel_handle_traits {
    static constexpr HandleKind kind = HandleKind::KernelObject;
    using pointer = HANDLE;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::CloseHandle(h); }
};

struct icon_traits {
    static constexpr HandleKind kind = HandleKind::Icon;
    using pointer = HICON;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DestroyIcon(h); }
};

struct accelerator_traits {
    static constexpr HandleKind kind = HandleKind::Accelerator;
    using pointer = HACCEL;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DestroyAcceleratorTable(h); }
};

using unique_hwnd = unique_handle<window_traits>;
using unique_hmenu = unique_handle<menu_traits>;
using unique_himagelist = unique_handle<image_list_traits>;
using unique_hgdiobj = unique_handle<gdi_traits<HGDIOBJ>>;
using unique_hfont = unique_handle<gdi_traits<HFONT>>;
using unique_hbitmap = unique_handle<gdi_traits<HBITMAP>>;
using unique_hbrush = unique_handle<gdi_traits<HBRUSH>>;
using unique_hpen = unique_handle<gdi_traits<HPEN>>;
using unique_hkey = unique_handle<registry_key_traits>;
using unique_kernel_handle = unique_handle<kernel_handle_traits>;
using unique_hicon = unique_handle<icon_traits>;
using unique_haccel = unique_handle<accelerator_traits>;

}  // namespace qov::win32

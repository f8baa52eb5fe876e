#pragma once
// How many handles of each kind the program's owning types (unique_handle.h)
// hold at this moment, so a leak shows from outside the process on systems
// where GetGuiResources tells nothing (Wine). Each change is one relaxed
// atomic add; nothing is read unless someone asks.
//
// Any of the program's forms answers kLiveHandlesMessage, sent by another
// process, with the count of the kind in wParam (HandleKind), or -1 for a
// kind that does not exist. Registered messages are unique to their name, so
// the query cannot clash with another program's messages.
#include <atomic>
#include <cstddef>

namespace qov::win32 {

enum class HandleKind : int {
    Window,
    Menu,
    ImageList,
    GdiObject,
    Icon,
    Accelerator,
    RegistryKey,
    KernelObject,
};
inline constexpr int kHandleKinds = 8;

inline constexpr wchar_t kLiveHandlesMessage[] = L"Tamarind Desk QOV live handle count";

class LiveHandles {
public:
    static void Add(HandleKind kind, long delta) noexcept {
        counts_[static_cast<std::size_t>(kind)].fetch_add(delta, std::memory_order_relaxed);
    }
    static long Count(HandleKind kind) noexcept {
        return counts_[static_cast<std::size_t>(kind)].load(std::memory_order_relaxed);
    }

private:
    // Process-wide by nature, like the system's own handle tables it mirrors.
    static inline std::atomic<long> counts_[kHandleKinds] = {};
};

}  // namespace qov::win32

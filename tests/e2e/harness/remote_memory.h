#pragma once
// Memory inside another process, for the common-control messages that take
// a pointer: the control reads and writes it in its own address space.
#include <windows.h>

#include <cstddef>

#include "platform/win32/unique_handle.h"

namespace qov::e2e {

// Opens another process with the rights needed to read and write its memory.
win32::unique_kernel_handle OpenForMemoryAccess(DWORD process_id);

class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, std::size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    explicit operator bool() const { return base_ != nullptr; }
    // The address of `offset` inside the other process, as a message parameter.
    LPARAM At(std::size_t offset = 0) const;
    bool Write(std::size_t offset, const void* data, std::size_t size) const;
    bool Read(std::size_t offset, void* data, std::size_t size) const;

private:
    HANDLE process_;
    std::size_t size_;
    void* base_;
};

// Sends with a limit, so a hung target fails the test instead of freezing it.
// Returns false when the send failed or timed out.
bool SendWithTimeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                     LRESULT* result = nullptr, UINT timeout_ms = 10000);

}  // namespace qov::e2e

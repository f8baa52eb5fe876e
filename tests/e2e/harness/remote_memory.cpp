#include "remote_memory.h"

namespace qov::e2e {

win32::unique_kernel_handle OpenForMemoryAccess(DWORD process_id) {
    return win32::unique_kernel_handle{
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                        PROCESS_QUERY_INFORMATION | SYNCHRONIZE,
                    FALSE, process_id)};
}

RemoteBuffer::RemoteBuffer(HANDLE process, std::size_t size)
    : process_(process),
      size_(size),
      base_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
    if (base_ != nullptr) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
}

LPARAM RemoteBuffer::At(std::size_t offset) const {
    return reinterpret_cast<LPARAM>(static_cast<char*>(base_) + offset);
}

bool RemoteBuffer::Write(std::size_t offset, const void* data, std::size_t size) const {
    if (base_ == nullptr || offset + size > size_) return false;
    SIZE_T written = 0;
    return WriteProcessMemory(process_, static_cast<char*>(base_) + offset, data, size, &written) &&
           written == size;
}

bool RemoteBuffer::Read(std::size_t offset, void* data, std::size_t size) const {
    if (base_ == nullptr || offset + size > size_) return false;
    SIZE_T read = 0;
    return ReadProcessMemory(process_, static_cast<char*>(base_) + offset, data, size, &read) &&
           read == size;
}

bool SendWithTimeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result,
                     UINT timeout_ms) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, timeout_ms, &answer)) {
        return false;
    }
    if (result != nullptr) *result = static_cast<LRESULT>(answer);
    return true;
}

}  // namespace qov::e2e

// Owners for the kernel and registry handles the application opens, so every exit path
// closes them.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

struct KernelHandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, KernelHandleCloser>;

struct RegistryKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using OwnedRegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

// CreateFileA gives INVALID_HANDLE_VALUE, not null, on failure.
inline OwnedHandle ownFile(HANDLE handle) {
    return OwnedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

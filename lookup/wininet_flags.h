// The WinInet request flags that the fetch uses, by value, so that pure code can
// compute them without <wininet.h>. The Win32 fetch checks them against the real ones.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t kFlagReload = 0x80000000u;
inline constexpr std::uint32_t kFlagNeedFile = 0x00000010u;
inline constexpr std::uint32_t kFlagNoCookies = 0x00080000u;
inline constexpr std::uint32_t kFlagNoAutoRedirect = 0x00200000u;
inline constexpr std::uint32_t kFlagSecure = 0x00800000u;
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttps = 0x00004000u;

#include "app/settings.h"

#include <vector>

#include "app/win_handles.h"

Text readRegistryText(HKEY root, const Text& path, const std::optional<Text>& fallback) {
    Text missing = fallback.value_or(Text());
    int split = findLastText(path, "\\");
    Text keyName = split > 0 ? leftText(path, split - 1) : Text();
    Text valueName = split > 0 ? midText(path, split + 1, textLength(path)) : path;

    HKEY rawKey = nullptr;
    if (RegOpenKeyA(root, keyName.c_str(), &rawKey) != ERROR_SUCCESS) return missing;
    OwnedRegistryKey key(rawKey);

    std::vector<BYTE> buffer(1024);
    DWORD type = 0;
    LONG status;
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        status =
            RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, buffer.data(), &size);
        if (status != ERROR_MORE_DATA) {
            if (status == ERROR_SUCCESS) buffer.resize(size);
            break;
        }
        // The value may grow between two calls; ask again with what the system wants.
        buffer.resize(size > buffer.size() ? size : buffer.size() * 2);
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return missing;
    return bytesToText(ByteString(buffer.begin(), buffer.end()));
}

Text readProfileText(const Text& file, const Text& section, const Text& key, const Text& fallback) {
    std::vector<char> buffer(1024);
    for (;;) {
        DWORD length =
            GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                     static_cast<DWORD>(buffer.size()), file.c_str());
        if (length < buffer.size() - 1) return Text(buffer.data(), length);
        buffer.resize(length + 1024);
    }
}

Text readGamePath() {
    Text installed = readRegistryText(HKEY_LOCAL_MACHINE, kRegistryInstallPath);
    return readProfileText(kSettingsFileName, kSettingsSection, kGamePathKey, installed);
}

void saveGamePath(const Text& text) {
    WritePrivateProfileStringA(kSettingsSection, kGamePathKey, text.c_str(), kSettingsFileName);
}

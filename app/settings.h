// The one setting, the game's install folder, and where it is kept: the settings file
// in the working directory, else the game's own registry entry.
#pragma once

#include <windows.h>

#include <optional>

#include "support/text.h"

inline constexpr char kSettingsFileName[] = ".\\settings.ini";
inline constexpr char kSettingsSection[] = "0728";
inline constexpr char kGamePathKey[] = "GamePath";
inline constexpr char kRegistryInstallPath[] = "SOFTWARE\\Tencent\\LOL\\InstallPath";

// The settings file's value when it has the key (even an empty one), else the
// registry's install path, else the empty text.
Text readGamePath();
// Writes the text unchanged; a failed write goes unreported.
void saveGamePath(const Text& text);

// path is key and value name, split at the last backslash. Only REG_SZ and
// REG_EXPAND_SZ (unexpanded) count; otherwise the fallback, else the empty text.
Text readRegistryText(HKEY root, const Text& path,
                      const std::optional<Text>& fallback = std::nullopt);
// A profile value of any length; the fallback when the file, section or key is missing.
Text readProfileText(const Text& file, const Text& section, const Text& key,
                     const Text& fallback = "");

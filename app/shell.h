// The one way the program asks the shell to open something (the launch script, the
// update page), so tests can watch the request instead of starting a program.
#pragma once

#include <functional>

#include "support/text.h"

// ShellExecuteA(no owner, "open", file, "", directory, SW_SHOWNORMAL).
void shellOpen(const Text& file, const Text& directory);

using ShellOpener = std::function<void(const Text& file, const Text& directory)>;
// Replaces the shell for tests; an empty opener restores it.
void setShellOpenerForTesting(ShellOpener opener);

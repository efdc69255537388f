#include <windows.h>
#include <shellapi.h>

#include "app/shell.h"

namespace {
ShellOpener& testOpener() {
    static ShellOpener opener;
    return opener;
}
}  // namespace

void setShellOpenerForTesting(ShellOpener opener) {
    testOpener() = std::move(opener);
}

void shellOpen(const Text& file, const Text& directory) {
    if (testOpener()) {
        testOpener()(file, directory);
        return;
    }
    ShellExecuteA(nullptr, "open", file.c_str(), "", directory.c_str(), SW_SHOWNORMAL);
}

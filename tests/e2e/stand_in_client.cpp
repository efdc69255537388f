// Stands in for "League of Legends.exe" in tests: writes how it was started to
// launched.txt beside itself (the raw command line, the working directory, then one
// argument per line) and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string report = self;
    report = report.substr(0, report.find_last_of('\\') + 1) + "launched.txt";
    char directory[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, directory);
    std::FILE* out = std::fopen(report.c_str(), "wb");
    if (out == nullptr) return 1;
    std::fprintf(out, "%s\n%s\n", GetCommandLineA(), directory);
    for (int i = 1; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
    std::fclose(out);
    return 0;
}

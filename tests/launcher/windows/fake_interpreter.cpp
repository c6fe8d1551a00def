// Stands in for the command interpreter in the launcher's tests. It prints its own path and the
// command line it got (after its own name), "PATH|ARGUMENTS", and ends with the status named by
// FAKE_INTERPRETER_STATUS, so that a test sees which copy ran, with what, and any 32-bit status.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The raw command line minus the program name, as Windows hands it over: quoted or not.
std::string ArgumentsOf(const char* commandLine) {
    const char* p = commandLine;
    if (*p == '"') {
        for (++p; *p != '\0' && *p != '"'; ++p) {
        }
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

}  // namespace

int main() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::printf("%s|%s\n", self, ArgumentsOf(GetCommandLineA()).c_str());
    std::fflush(stdout);
    const char* status = std::getenv("FAKE_INTERPRETER_STATUS");
    // strtoul takes the full unsigned 32-bit range, so "4294967295" gives -1 as an exit code.
    ExitProcess(status != nullptr ? static_cast<UINT>(std::strtoul(status, nullptr, 10)) : 0);
}

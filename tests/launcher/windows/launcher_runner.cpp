// Starting NORLAK.exe, or an interpreter by hand, for the Windows tests with an environment that
// holds only what a case sets.
#include "launcher_runner.hpp"

#include <windows.h>

namespace norlak::wine_tests {

std::string launcherSource;
std::string fakeInterpreterSource;

std::string SystemDirectory() {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    return dir;
}

std::string RealInterpreter() {
    return SystemDirectory() + "\\cmd.exe";
}

ProcessResult RunInSandbox(const Sandbox& box, const std::string& program,
                           const std::vector<std::string>& environment,
                           const std::string& arguments, const std::string& input) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    ProcessRequest request;
    request.program = program;
    request.argumentText = arguments;
    request.workingDirectory = box.work;
    // SystemRoot is what Windows programs may not do without; COMSPEC and PATH are each case's.
    request.environment = {std::string("SystemRoot=") + windows};
    request.environment.insert(request.environment.end(), environment.begin(), environment.end());
    request.input = input;
    return RunProcess(request, box.io);
}

ProcessResult RunLauncher(const Sandbox& box, const std::vector<std::string>& environment,
                          const std::string& arguments, const std::string& input) {
    return RunInSandbox(box, box.launcher, environment, arguments, input);
}

}  // namespace norlak::wine_tests

// Starting NORLAK.exe for the Windows tests with an environment that holds only what a case sets.
#include "launcher_runner.hpp"

#include <windows.h>

namespace norlak::testing {

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

ProcessResult RunLauncher(const Sandbox& box, const std::vector<std::string>& environment,
                          const std::string& arguments, const std::string& input) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    ProcessRequest request;
    request.program = box.launcher;
    request.argumentText = arguments;
    request.workingDirectory = box.work;
    // SystemRoot is what Windows programs may not do without; COMSPEC and PATH are each case's.
    request.environment = {std::string("SystemRoot=") + windows};
    request.environment.insert(request.environment.end(), environment.begin(), environment.end());
    request.input = input;
    return RunProcess(request, box.io);
}

}  // namespace norlak::testing

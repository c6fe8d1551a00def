// What the launcher's Windows tests share: where the built programs are, the system folders, and
// a call that starts the sandbox's NORLAK.exe from its working directory.
#pragma once

#include <string>
#include <vector>

#include "run_process.hpp"
#include "sandbox.hpp"

namespace norlak::wine_tests {

// Windows paths of the built launcher and the stand-in interpreter, set by main.
extern std::string launcherSource;
extern std::string fakeInterpreterSource;

std::string SystemDirectory();
std::string RealInterpreter();  // cmd.exe in the system directory

// Starts `program` in box.work with SystemRoot plus `environment`, nothing else.
ProcessResult RunInSandbox(const Sandbox& box, const std::string& program,
                           const std::vector<std::string>& environment,
                           const std::string& arguments = "", const std::string& input = "");

// The same for the sandbox's copy of the launcher.
ProcessResult RunLauncher(const Sandbox& box, const std::vector<std::string>& environment,
                          const std::string& arguments = "", const std::string& input = "");

}  // namespace norlak::wine_tests

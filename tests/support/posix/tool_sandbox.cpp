// The sandboxed tool: copied from the build, run through RunProgram, its directory read back.
#include "posix/tool_sandbox.hpp"

#include <filesystem>

#include "posix/run_program.hpp"

namespace test_support {
namespace fs = std::filesystem;

namespace {

std::string Visible(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n\n      ";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string ToolRun::Describe() const {
    std::string text = "command line:";
    for (const auto& a : arguments) text += " '" + a + "'";
    text += "\nexit status: " + std::to_string(status) + "\nstdout: " + Visible(out) +
            "\nstderr: " + Visible(err) + "\nfiles:";
    for (const auto& [name, bytes] : files) text += "\n  " + name + ": " + Visible(bytes);
    return text + "\n";
}

ToolSandbox::ToolSandbox() : directory_(scratch_.path().string()) {
    fs::copy_file(TARVIK_EXECUTABLE, tool());
}

void ToolSandbox::Write(const std::string& name, const std::string& bytes) const {
    WriteFile(fs::path(directory_) / name, bytes);
}

void ToolSandbox::MakeDirectory(const std::string& name) const {
    fs::create_directory(fs::path(directory_) / name);
}

ToolRun ToolSandbox::Run(const std::vector<std::string>& arguments,
                         const ToolRunOptions& options) const {
    RunRequest request;
    request.program = tool();
    request.arguments = arguments;
    request.workingDirectory =
        options.workingDirectory.empty() ? directory_ : options.workingDirectory;
    request.fileSizeLimit = options.fileSizeLimit;
    request.asNobody = options.asNobody;
    const RunResult run = RunProgram(request);

    return {arguments, run.ShellStatus(), run.output, run.error, Contents()};
}

Files ToolSandbox::Contents() const {
    Files files;
    for (const auto& entry : fs::directory_iterator(directory_)) {
        const std::string name = entry.path().filename().string();
        if (name == "tarvik") continue;
        files[name] = entry.is_directory() ? "<directory>" : ReadFile(entry.path());
    }
    return files;
}

}  // namespace test_support

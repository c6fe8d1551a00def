#include "tool_sandbox.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tarvik::e2e {
namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

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

std::string RunResult::Describe() const {
    std::string text = "command line:";
    for (const auto& a : arguments) text += " '" + a + "'";
    text += "\nexit status: " + std::to_string(status) + "\nstdout: " + Visible(out) + "\nstderr: " + Visible(err) +
            "\nfiles:";
    for (const auto& [name, bytes] : files) text += "\n  " + name + ": " + Visible(bytes);
    return text + "\n";
}

ToolSandbox::ToolSandbox() {
    std::string pattern = (fs::temp_directory_path() / "tarvik-e2e-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    directory_ = pattern;
    fs::copy_file(TARVIK_EXECUTABLE, fs::path(directory_) / "tarvik");
}

ToolSandbox::~ToolSandbox() {
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
}

void ToolSandbox::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(fs::path(directory_) / name, std::ios::binary) << bytes;
}

void ToolSandbox::MakeDirectory(const std::string& name) const { fs::create_directory(fs::path(directory_) / name); }

RunResult ToolSandbox::Run(const std::vector<std::string>& arguments, const std::string& workingDirectory) const {
    RunResult result;
    result.arguments = arguments;
    const fs::path outPath = fs::path(directory_).parent_path() / (fs::path(directory_).filename().string() + ".out");
    const fs::path errPath = fs::path(directory_).parent_path() / (fs::path(directory_).filename().string() + ".err");
    const std::string tool = (fs::path(directory_) / "tarvik").string();
    const std::string cwd = workingDirectory.empty() ? directory_ : workingDirectory;

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(tool.c_str()));
    for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 || ::chdir(cwd.c_str()) != 0) ::_exit(126);
        ::execv(tool.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) throw std::runtime_error("could not run the tool");
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    fs::remove(outPath);
    fs::remove(errPath);
    for (const auto& entry : fs::directory_iterator(directory_)) {
        const std::string name = entry.path().filename().string();
        if (name == "tarvik") continue;
        result.files[name] = entry.is_directory() ? "<directory>" : ReadFile(entry.path());
    }
    return result;
}

}  // namespace tarvik::e2e

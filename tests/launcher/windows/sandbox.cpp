// The launcher tests' directories on the shared scratch directory, and ANSI faces of its file
// helpers that throw on failure.
#include "sandbox.hpp"

#include <windows.h>

#include <stdexcept>

namespace norlak::wine_tests {

namespace {

std::string RootOf(const test_support::ScratchDir& scratch) {
    if (scratch.Path().empty()) throw std::runtime_error("cannot create a temporary directory");
    return Ansi(scratch.Path());
}

}  // namespace

Sandbox::Sandbox(const std::string& launcherSource)
    : root(RootOf(scratch_)),
      home(root + "\\home"),
      work(root + "\\work"),
      bin(root + "\\bin"),
      io(root + "\\io"),
      launcher(home + "\\NORLAK.exe") {
    for (const std::string* dir : {&home, &work, &bin, &io}) {
        if (!CreateDirectoryA(dir->c_str(), nullptr))
            throw std::runtime_error("cannot create " + *dir);
    }
    CopyFileOrThrow(launcherSource, launcher);
}

std::wstring Wide(const std::string& ansi) {
    if (ansi.empty()) return {};
    const int size =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), size);
    return wide;
}

std::string Ansi(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), size,
                        nullptr, nullptr);
    return ansi;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    if (!test_support::WriteBytes(Wide(path), bytes))
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    return test_support::ReadBytes(Wide(path));
}

void CopyFileOrThrow(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + from + " to " + to);
    }
}

}  // namespace norlak::wine_tests

// Temporary directories and files through the Win32 API, so that the paths are the ones the
// launcher and the interpreter see.
#include "sandbox.hpp"

#include <windows.h>

#include <stdexcept>

namespace norlak::testing {

namespace {

void MakeDirectory(const std::string& path) {
    if (!CreateDirectoryA(path.c_str(), nullptr)) {
        throw std::runtime_error("cannot create " + path);
    }
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::string UniqueDirectory() {
    char temp[MAX_PATH];
    if (GetTempPathA(MAX_PATH, temp) == 0) {
        throw std::runtime_error("no temporary directory");
    }
    const std::string base = std::string(temp) + "norlak-" + std::to_string(GetCurrentProcessId()) + "-";
    for (unsigned n = 0;; ++n) {
        const std::string candidate = base + std::to_string(n);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) return candidate;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("cannot create " + candidate);
        }
    }
}

}  // namespace

Sandbox::Sandbox(const std::string& launcherSource)
    : root(UniqueDirectory()),
      home(root + "\\home"),
      work(root + "\\work"),
      bin(root + "\\bin"),
      io(root + "\\io"),
      launcher(home + "\\NORLAK.exe") {
    for (const std::string* dir : {&home, &work, &bin, &io}) MakeDirectory(*dir);
    CopyFileOrThrow(launcherSource, launcher);
}

Sandbox::~Sandbox() {
    RemoveTree(root);
}

void WriteFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot write " + path);
    }
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) {
        throw std::runtime_error("short write to " + path);
    }
}

std::string ReadFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot read " + path);
    }
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return bytes;
}

void CopyFileOrThrow(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + from + " to " + to);
    }
}

}  // namespace norlak::testing

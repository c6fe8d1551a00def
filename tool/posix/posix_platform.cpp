// POSIX system calls behind the platform interface.
#include "posix_platform.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "case_mapping.hpp"
#include "general_failure.hpp"
#include "result_encoding.hpp"
#include "scope_exit.hpp"
#include "tarvik_version.h"
#include "unique_fd.hpp"
#include "usage_text.hpp"

namespace tarvik {
namespace {

namespace fs = std::filesystem;
using posix::unique_fd;

[[noreturn]] void ThrowErrno(const std::string& what) {
    throw GeneralFailure(what + ": " + std::strerror(errno));
}

class FdReader final : public ByteReader {
  public:
    FdReader(unique_fd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}
    std::size_t Read(std::span<char> buffer) override {
        for (;;) {
            const ssize_t got = ::read(fd_.get(), buffer.data(), buffer.size());
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno != EINTR) ThrowErrno("read " + path_);
        }
    }

  private:
    unique_fd fd_;
    std::string path_;
};

[[noreturn]] void ThrowError(const std::string& what, const std::error_code& error) {
    throw GeneralFailure(what + ": " + error.message());
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            ThrowErrno("write " + path);
        }
        done += static_cast<std::size_t>(wrote);
    }
}

// Links a whole O_TMPFILE file into `directory` under a fresh name and returns it; a link cannot
// replace the target, so the rename that follows does.
std::string NameUnnamed(int fd, const std::string& directory) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0;; ++attempt) {
        const std::string name =
            directory + "/.tarvik-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return name;
        if (errno != EEXIST) ThrowErrno("link " + name);
    }
}

// Makes the rename itself durable. The file is in place by then, so a failure here changes
// nothing the caller could act on and is not reported.
void SyncDirectory(const std::string& directory) {
    const unique_fd fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd) ::fsync(fd.get());
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Windows callers see CR LF; a terminal wants plain line feeds.
std::string ForTerminal(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

}  // namespace

// The directory is looked up once; a failure is kept and reported by the first use, inside the
// run, where every failure ends in the tool's report.
PosixPlatform::PosixPlatform(int argc, char** argv)
    : arguments_(argv + (argc > 0 ? 1 : 0), argv + argc) {
    directory_ = fs::read_symlink("/proc/self/exe", directoryError_).parent_path().string();
}

Text PosixPlatform::CommandLineTail() {
    std::string joined;
    for (std::size_t i = 0; i < arguments_.size(); ++i) {
        if (i > 0) joined += ' ';
        joined += arguments_[i];
    }
    return DecodeUtf8Lossless(joined);
}

const std::string& PosixPlatform::Directory() const {
    if (directoryError_) ThrowError("readlink /proc/self/exe", directoryError_);
    return directory_;
}

Text PosixPlatform::ToolDirectory() {
    return DecodeUtf8Lossless(Directory());
}

std::string PosixPlatform::PathOf(const Text& name) const {
    return Directory() + "/" + EncodeUtf8Lossless(name);
}

bool PosixPlatform::FileExists(const Text& name) {
    struct stat info {};
    return ::stat(PathOf(name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The names the tool clears are one file each on a case-insensitive system; here every spelling
// of the name is cleared, so a file left by a Windows-minded script does not linger.
void PosixPlatform::RemoveIfExists(const Text& name) {
    const Text wanted = ToUpper(name);
    std::vector<fs::path> matches;
    std::error_code error;
    for (fs::directory_iterator entry(Directory(), error), end; !error && entry != end;
         entry.increment(error)) {
        if (ToUpper(DecodeUtf8Lossless(entry->path().filename().string())) == wanted) {
            matches.push_back(entry->path());
        }
    }
    if (error) ThrowError("list " + Directory(), error);
    for (const fs::path& match : matches) {
        if (fs::is_directory(fs::symlink_status(match, error))) continue;
        if (!fs::remove(match, error) && error) ThrowError("remove " + match.string(), error);
    }
}

std::unique_ptr<ByteReader> PosixPlatform::OpenForReading(const Text& name) {
    const std::string path = PathOf(name);
    unique_fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) ThrowErrno("open " + path);
    return std::make_unique<FdReader>(std::move(fd), path);
}

// Written to a file beside the target, flushed, then renamed over it: readers see the old file or
// the new one, never a part. The new file has no name until it is whole (O_TMPFILE), so a run that
// fails or is killed while writing leaves nothing behind; where the file system cannot do that, a
// named temporary file is removed again on failure.
void PosixPlatform::WriteFile(const Text& name, std::string_view bytes) {
    const std::string path = PathOf(name);
    const std::string& directory = Directory();
    std::string temporary = directory + "/.tarvik-XXXXXX";
    unique_fd file(::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    const bool unnamed = static_cast<bool>(file);
    if (!unnamed) file.reset(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file) ThrowErrno("create temporary file in " + directory);
    bool named = !unnamed;
    ScopeExit removeTemporary([&] {
        if (named) ::unlink(temporary.c_str());
    });
    WriteAll(file.get(), bytes, path);
    // mkostemp creates the file for its owner only; give it the mode a plain create would.
    if (!unnamed && ::fchmod(file.get(), 0666 & ~CurrentUmask()) != 0)
        ThrowErrno("chmod " + temporary);
    if (::fsync(file.get()) != 0) ThrowErrno("fsync " + temporary);
    if (unnamed) {
        temporary = NameUnnamed(file.get(), directory);
        named = true;
    }
    // Closed here rather than by the wrapper, so that a failing close is reported.
    if (::close(file.release()) != 0) ThrowErrno("close " + temporary);
    if (::rename(temporary.c_str(), path.c_str()) != 0) ThrowErrno("rename to " + path);
    removeTemporary.Dismiss();
    SyncDirectory(directory);
}

std::string PosixPlatform::EncodeText(TextView text) {
    return EncodeUtf8Lossless(text);
}

// No code page is configured on Linux: one byte per character, each its own code point.
const LegacyCodePage& PosixPlatform::LegacyCharacters() {
    return Latin1CodePage();
}

// Every file the tool writes is UTF-8 here.
unsigned PosixPlatform::ConsoleCodePage() {
    return kUtf8CodePage;
}

unsigned PosixPlatform::OemCodePage() {
    return kUtf8CodePage;
}

const LegacyCodePage& PosixPlatform::CodePageCharacters(unsigned codePage) {
    throw GeneralFailure("no code page " + std::to_string(codePage) + " on this system");
}

void PosixPlatform::ShowMessageBox(const Text& message) {
    std::cerr << ForTerminal(EncodeUtf8Lossless(message)) << std::endl;
    if (!std::cerr) throw GeneralFailure("message could not be printed");
}

// Standard error belongs to the message box here, so the reason goes there only when asked for.
void PosixPlatform::LogFailureReason(std::string_view reason) noexcept {
    const char* const debug = std::getenv("TARVIK_DEBUG");
    if (debug == nullptr || *debug == '\0') return;
    try {
        std::cerr << "tarvik: " << reason << std::endl;
    } catch (...) {
        // Only the developer's view of the failure is lost.
    }
}

void PosixPlatform::ShowUsageWindow() {
    std::cout << usage::Title(usage::kDesignedTitle, TARVIK_VERSION_MAJOR, TARVIK_VERSION_MINOR,
                              TARVIK_VERSION_REVISION)
              << "\n"
              << ForTerminal(usage::LabelText()) << "\n"
              << ForTerminal(usage::HelpText()) << std::endl;
    if (!std::cout) throw GeneralFailure("usage could not be printed");
}

}  // namespace tarvik

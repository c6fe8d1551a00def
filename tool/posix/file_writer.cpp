// Files written whole or not at all: a new file beside the target, renamed over it once complete.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file_system.hpp"
#include "posix_error.hpp"
#include "scope_exit.hpp"
#include "unique_fd.hpp"

namespace tarvik::posix {
namespace {

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

}  // namespace

// Readers see the old file or the new one, never a part. The new file has no name until it is
// whole (O_TMPFILE), so a run that fails or is killed while writing leaves nothing behind; where
// the file system cannot do that, a named temporary file is removed again on failure.
void WriteWholeFile(const std::string& directory, const std::string& path, std::string_view bytes) {
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

}  // namespace tarvik::posix

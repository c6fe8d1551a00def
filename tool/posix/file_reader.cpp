// ByteReader over a POSIX file descriptor.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "file_system.hpp"
#include "posix_error.hpp"
#include "unique_fd.hpp"

namespace tarvik::posix {
namespace {

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

}  // namespace

std::unique_ptr<ByteReader> OpenFileForReading(const std::string& path) {
    unique_fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) ThrowErrno("open " + path);
    return std::make_unique<FdReader>(std::move(fd), path);
}

}  // namespace tarvik::posix

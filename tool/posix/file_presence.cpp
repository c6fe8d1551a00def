// Whether a file is there, and clearing it away.
#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "case_mapping.hpp"
#include "file_system.hpp"
#include "posix_error.hpp"

namespace tarvik::posix {

namespace fs = std::filesystem;

bool IsOrdinaryFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The names the tool clears are one file each on a case-insensitive system; here every spelling
// of the name is cleared, so a file left by a Windows-minded script does not linger.
void RemoveEverySpelling(const std::string& directory, const Text& name) {
    const Text wanted = ToUpper(name);
    std::vector<fs::path> matches;
    std::error_code error;
    for (fs::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error)) {
        if (ToUpper(DecodeUtf8Lossless(entry->path().filename().string())) == wanted) {
            matches.push_back(entry->path());
        }
    }
    if (error) ThrowError("list " + directory, error);
    for (const fs::path& match : matches) {
        if (fs::is_directory(fs::symlink_status(match, error))) continue;
        if (!fs::remove(match, error) && error) ThrowError("remove " + match.string(), error);
    }
}

}  // namespace tarvik::posix

// Temporary directories and small file helpers for the launcher tests.
#include "scratch_dir.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace norlak::testing {

ScratchDir::ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "norlak-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed for " + pattern);
    }
    root = buffer.data();
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

fs::path ScratchDir::Subdir(const std::string& name) const {
    fs::path dir = root / name;
    fs::create_directories(dir);
    return dir;
}

void WriteScript(const fs::path& file, const std::string& text, bool executable) {
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out) {
            throw std::runtime_error("cannot write " + file.string());
        }
    }
    fs::permissions(file,
                    executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::replace);
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace norlak::testing

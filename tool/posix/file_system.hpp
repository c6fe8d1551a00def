// The file operations of the tool on POSIX paths.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform.hpp"

namespace tarvik::posix {

// True for an ordinary file (through symbolic links); false for anything else or nothing.
bool IsOrdinaryFile(const std::string& path);

// Removes every file in `directory` whose name is `name` in any spelling of its case.
void RemoveEverySpelling(const std::string& directory, const Text& name);

std::unique_ptr<ByteReader> OpenFileForReading(const std::string& path);

// Whole file or nothing: a new file in `directory` (the one of `path`), flushed, then renamed
// over `path`.
void WriteWholeFile(const std::string& directory, const std::string& path, std::string_view bytes);

}  // namespace tarvik::posix

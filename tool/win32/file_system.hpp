// The file operations of the tool on full Windows paths.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform.hpp"

namespace tarvik::win32 {

// True for an ordinary file; false for a directory or a name that leads nowhere.
bool IsOrdinaryFile(const std::wstring& path);

// Deletes the file when there is one; a missing file is no failure.
void DeleteIfPresent(const std::wstring& path);

// Reads while other programs may still be writing or deleting it. Operations that meet another
// program's handle throw FileInUse (see file_in_use.hpp).
std::unique_ptr<ByteReader> OpenFileForReading(const std::wstring& path);

// Whole file or nothing: a temporary file beside it, flushed, then moved over it. A device (NUL,
// CON, ...) is written in place.
void WriteWholeFile(const std::wstring& path, std::string_view bytes);

}  // namespace tarvik::win32

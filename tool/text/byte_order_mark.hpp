// What a file's first bytes say of its encoding: a UTF-8 byte order mark is skipped, a UTF-16 one
// makes the file UTF-16; any other file is read line by line as UTF-8 or in the code page.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarvik {

enum class FileEncoding { Bytes, Utf16LE, Utf16BE };

struct ByteOrderMark {
    FileEncoding encoding = FileEncoding::Bytes;
    std::size_t size = 0;  // bytes the mark takes; 0 without one
};

// `head` is the file's first bytes: at least three of them, or the whole file if shorter.
constexpr ByteOrderMark DetectByteOrderMark(std::string_view head) {
    if (head.starts_with("\xEF\xBB\xBF")) return {FileEncoding::Bytes, 3};
    if (head.starts_with("\xFF\xFE")) return {FileEncoding::Utf16LE, 2};
    if (head.starts_with("\xFE\xFF")) return {FileEncoding::Utf16BE, 2};
    return {};
}

}  // namespace tarvik

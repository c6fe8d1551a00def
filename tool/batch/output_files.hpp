// The bytes of the files the tool writes: the result command file and the error file.
#pragma once

#include <string>
#include <vector>

#include "text.hpp"
#include "text_encoding.hpp"

namespace tarvik {

// The error file is written as "error.txt" and cleared at the start of a run as "ERROR.txt": one
// file where names ignore letter case. The default result file is cleared too, whatever "/O:"
// names.
inline constexpr char32_t kErrorFileName[] = U"error.txt";
inline constexpr char32_t kErrorFileClearedName[] = U"ERROR.txt";
inline constexpr char32_t kDefaultResultFileName[] = U"Value.cmd";

// "SET " + name + "=" + value and CR LF, escaped so that running it sets exactly that (see
// batch_escape.hpp), each line encoded for the code page its caller reads it in and checked in
// every code page cmd may read it in. Throws GeneralFailure when no batch line can carry the name
// or value, or no encoding reads back safely.
std::string ResultFileBytes(TextEncoding& encoding, const Text& name, const Text& value);

// Each line followed by CR LF, in the platform's encoding for files people read.
std::string ReportFileBytes(TextEncoding& encoding, const std::vector<Text>& lines);

}  // namespace tarvik

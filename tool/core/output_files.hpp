// The bytes of the files the tool writes: the result command file and the error file.
#pragma once

#include <string>
#include <vector>

#include "platform.hpp"
#include "sourced_text.hpp"

namespace tarvik {

inline constexpr char32_t kErrorFileName[] = U"error.txt";

// "SET " + name + "=" + value and CR LF, escaped so that running it sets exactly that (see
// batch_escape.hpp). The value keeps the bytes it had in its file. Throws GeneralFailure when no
// batch line can carry the name or value.
std::string ResultFileBytes(Platform& platform, const Text& name, const SourcedText& value);

// Each line followed by CR LF.
std::string ReportFileBytes(Platform& platform, const std::vector<Text>& lines);

}  // namespace tarvik

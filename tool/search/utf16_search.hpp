// The search of a UTF-16 file as bytes.
#pragma once

#include <optional>

#include "block_loop.hpp"
#include "byte_order_mark.hpp"
#include "byte_reader.hpp"
#include "search_block.hpp"

namespace tarvik {

// As FindFirstMatchingLine, for a file of `encoding` (UTF-16) whose first bytes, byte order mark
// included, `block` holds, read on by `rest`.
std::optional<SourcedText> FindFirstMatchingUtf16Line(Block& block, ByteReader& rest,
                                                      FileEncoding encoding,
                                                      const LineQuery& query);

}  // namespace tarvik

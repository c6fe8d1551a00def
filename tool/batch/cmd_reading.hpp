// Whether the bytes of an escaped result line stay that line for cmd, however it reads them. cmd
// reads a batch file in its console's code page, but a console switched after cmd started, cmd
// without a console (ANSI) and Wine's cmd (OEM whatever the console says) read in others; in a
// double-byte code page a lead byte takes the next byte, a caret included, into its character,
// and some code pages turn other bytes into "&" or "|". So each written line is decoded as every
// such reader would, and judged by what cmd acts on.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text.hpp"
#include "text_encoding.hpp"

namespace tarvik {

// The code pages cmd may read the result file in: first the one it is written for (the console's
// output code page, else the OEM one, cmd's default), then the OEM and the ANSI code page; each
// once.
std::vector<unsigned> CmdReadingCodePages(TextEncoding& encoding);

// Where `read` parts from `written` in what cmd acts on (% ! ^ & | < > ( ) " =, CR, LF, NUL and
// Ctrl-Z): each of those must come back in the same order, with other text between two of them
// in both or in neither. Returns where they first differ, or nothing.
struct Parting {
    std::size_t written;
    std::size_t read;
};
std::optional<Parting> FirstParting(TextView written, TextView read);

// Nothing when every reader reads `bytes` (one line, without its line end) as `line` in what cmd
// acts on; else which reading parts from it, and how, for the developer.
std::optional<std::string> ReadingThatParts(TextEncoding& encoding,
                                            const std::vector<unsigned>& codePages, TextView line,
                                            std::string_view bytes);

}  // namespace tarvik

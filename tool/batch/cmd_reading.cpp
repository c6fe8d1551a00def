// Reading a result line as each plausible cmd would, and comparing what it would act on.
#include "cmd_reading.hpp"

#include <algorithm>

#include "batch_escape.hpp"

namespace tarvik {
namespace {

// Phase 1 expands "%" and, with delayed expansion, "!"; phase 2 acts on the caret, the separators
// and quotes; "=" ends the variable name; the rest end the line or the file.
bool CmdActsOn(char32_t c) {
    if (IsSpecial(c)) return true;
    switch (c) {
        case U'%':
        case U'!':
        case U'=':
        case U'\r':
        case U'\n':
        case U'\0':
        case U'\x1A':
            return true;
        default:
            return false;
    }
}

std::size_t SkipOtherText(TextView text, std::size_t pos) {
    while (pos < text.size() && !CmdActsOn(text[pos])) ++pos;
    return pos;
}

// A few characters on either side of `pos`, as UTF-8 with controls shown as \xNN.
std::string Around(TextView text, std::size_t pos) {
    const std::size_t from = pos > 6 ? pos - 6 : 0;
    std::string shown;
    for (const char32_t c : text.substr(from, pos - from + 6)) {
        if (c < 0x20) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            shown += {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
        } else {
            shown += EncodeUtf8Lossless(TextView(&c, 1));
        }
    }
    return '"' + shown + '"';
}

}  // namespace

std::vector<unsigned> CmdReadingCodePages(TextEncoding& encoding) {
    const unsigned console = encoding.ConsoleCodePage();
    std::vector<unsigned> pages;
    for (const unsigned page : {console != 0 ? console : encoding.OemCodePage(),
                                encoding.OemCodePage(), encoding.AnsiCodePage()}) {
        if (std::find(pages.begin(), pages.end(), page) == pages.end()) pages.push_back(page);
    }
    return pages;
}

std::optional<Parting> FirstParting(TextView written, TextView read) {
    std::size_t w = 0;
    std::size_t r = 0;
    for (;;) {
        const std::size_t wRun = SkipOtherText(written, w);
        const std::size_t rRun = SkipOtherText(read, r);
        if ((wRun > w) != (rRun > r)) return Parting{w, r};
        w = wRun;
        r = rRun;
        if (w == written.size() || r == read.size()) {
            if (w == written.size() && r == read.size()) return std::nullopt;
            return Parting{w, r};
        }
        if (written[w] != read[r]) return Parting{w, r};
        ++w;
        ++r;
    }
}

std::optional<std::string> ReadingThatParts(TextEncoding& encoding,
                                            const std::vector<unsigned>& codePages, TextView line,
                                            std::string_view bytes) {
    // The line end is read with the line: a lead byte before it would take the CR.
    const Text written = Text(line) + U"\r\n";
    const std::string withLineEnd = std::string(bytes) + "\r\n";
    for (const unsigned page : codePages) {
        const Text read = encoding.ReadInCodePage(page, withLineEnd);
        if (const std::optional<Parting> at = FirstParting(written, read)) {
            return "code page " + std::to_string(page) + " reads " + Around(read, at->read) +
                   " for " + Around(written, at->written);
        }
    }
    return std::nullopt;
}

}  // namespace tarvik

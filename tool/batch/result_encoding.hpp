// The bytes of result lines for the cmd that runs them. cmd reads a batch file in its console's
// code page, so a line is written there when it comes back as exactly its characters; and since
// other readers exist (see cmd_reading.hpp), only when every one of them splits it into
// characters the way it was escaped.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "legacy_code_page.hpp"
#include "text.hpp"
#include "text_encoding.hpp"

namespace tarvik {

inline constexpr unsigned kUtf8CodePage = 65001;

// Each character's exact bytes in a code page: the bytes that read back as that character.
class CodePageSpellings {
  public:
    explicit CodePageSpellings(const LegacyCodePage& page);
    // The bytes of `text`, or nothing when some character has no exact form there.
    std::optional<std::string> Spell(TextView text) const;

  private:
    std::unordered_map<char32_t, std::string> spellings_;
};

// How result lines are written for the code pages cmd may read them in, the first of which they
// are written for: in that code page when every character fits there, else in UTF-8; either only
// when every reader reads it as the escaped line in what cmd acts on.
class ResultLineEncoder {
  public:
    ResultLineEncoder(TextEncoding& encoding, std::vector<unsigned> readingCodePages);
    // The line's bytes, without a line end; throws GeneralFailure, saying which reading would part
    // from the line, when no encoding is safe.
    std::string Encode(TextView line) const;

  private:
    TextEncoding& encoding_;
    std::vector<unsigned> readers_;
    std::optional<CodePageSpellings> spellings_;  // of the first reader, unless that is UTF-8
};

}  // namespace tarvik

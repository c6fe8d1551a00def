// The bytes of result lines for the cmd that runs them. cmd reads a batch file in its console's
// code page, so a line must come back there as exactly its characters, or at least be split into
// characters the way it was escaped: in a double-byte code page a lead byte takes the next byte,
// a caret or "|" included, into its own character.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "legacy_code_page.hpp"
#include "text.hpp"

namespace tarvik {

inline constexpr unsigned kUtf8CodePage = 65001;

// The code page the caller reads the result file in: its console's output code page, or the OEM
// code page, cmd's default, when it has no console (0).
unsigned ReadingCodePage(unsigned consoleCodePage, unsigned oemCodePage);

// Each character's exact bytes in a code page: the bytes that read back as that character.
class CodePageSpellings {
  public:
    explicit CodePageSpellings(const LegacyCodePage& page);
    // The bytes of `text`, or nothing when some character has no exact form there.
    std::optional<std::string> Spell(TextView text) const;

  private:
    std::unordered_map<char32_t, std::string> spellings_;
};

// True when reading `bytes` in `page` leaves every ASCII byte a character of its own, so that no
// caret, separator or line end is taken into a double-byte character.
bool KeepsAsciiApart(std::string_view bytes, const LegacyCodePage& page);

// How result lines are written for one reader: UTF-8 for a reader in UTF-8 (no `page`); else the
// reader's code page when every character fits, else UTF-8 when that reads safely there.
class ResultLineEncoder {
  public:
    explicit ResultLineEncoder(const LegacyCodePage* page);
    // The line's bytes, without a line end; throws GeneralFailure when no encoding is safe.
    std::string Encode(TextView line) const;

  private:
    const LegacyCodePage* page_;
    std::optional<CodePageSpellings> spellings_;
};

}  // namespace tarvik

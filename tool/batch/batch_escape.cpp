// Escapes a name and value for cmd's parse phases: percent expansion (phase 1), carets, quotes and
// command separators (phase 2) and, for callers with delayed expansion, "!" and carets (phase 5).
#include "batch_escape.hpp"

#include "general_failure.hpp"

namespace tarvik {
namespace {

enum class Expansion { Immediate, Delayed };

}  // namespace

bool IsSpecial(char32_t c) {
    switch (c) {
        case U'^':
        case U'&':
        case U'|':
        case U'<':
        case U'>':
        case U'(':
        case U')':
        case U'"':
            return true;
        default:
            return false;
    }
}

namespace {

// The characters to write for `c`. With delayed expansion, phase 5 takes one more layer of
// carets off a line holding "!": "^^^^" leaves phase 2 as "^^" and phase 5 as "^"; "^^^!" leaves
// phase 2 as "^!" and phase 5 as "!".
Text EscapeChar(char32_t c, Expansion expansion) {
    if (c == U'%') return U"%%";
    if (expansion == Expansion::Delayed) {
        if (c == U'!') return U"^^^!";
        if (c == U'^') return U"^^^^";
    }
    if (IsSpecial(c)) return Text{U'^', c};
    return Text(1, c);
}

Text Escape(TextView text, Expansion expansion) {
    Text out;
    for (const char32_t c : text) out += EscapeChar(c, expansion);
    return out;
}

// Characters that end a batch line or the whole file wherever they stand.
void RequireCarriable(TextView text, const char* what) {
    for (const char32_t c : text) {
        if (c == U'\0' || c == U'\r' || c == U'\n' || c == U'\x1A') {
            throw GeneralFailure(std::string(what) + " holds a character no batch line can carry");
        }
    }
}

// SET splits at the first "=", skips delimiters before the name, treats a leading quote as the
// start of its quoted form and a leading slash as a switch; a name meeting any of those would set
// some other variable, or none.
void RequireSettableName(TextView name) {
    RequireCarriable(name, "variable name");
    if (name.empty() || name.find(U'=') != TextView::npos)
        throw GeneralFailure("variable name SET cannot take");
    switch (name.front()) {
        case U' ':
        case U'\t':
        case U',':
        case U';':
        case U'\v':
        case U'\f':
        case U'"':
        case U'/':
            throw GeneralFailure("variable name SET cannot take");
        default:
            break;
    }
}

}  // namespace

std::vector<Text> SetVariableLines(const Text& name, const Text& value) {
    RequireSettableName(name);
    RequireCarriable(value, "value");
    const auto line = [&](TextView guard, Expansion expansion) {
        return Text(guard) + U"SET " + Escape(name, expansion) + U"=" + Escape(value, expansion);
    };
    if (name.find(U'!') == Text::npos && value.find(U'!') == Text::npos) {
        return {line(U"", Expansion::Immediate)};
    }
    // With delayed expansion "!!" becomes empty, so the second line runs only for such callers and
    // sets the exact value after the first line has set a mangled one. Delayed expansion would also
    // take a "!" or a caret out of the name, making the first line set some other variable for
    // them, so then the first line is kept from them too.
    const bool nameChangesWhenDelayed = name.find_first_of(U"!^") != Text::npos;
    return {line(nameChangesWhenDelayed ? U"IF NOT \"!!\"==\"\" " : U"", Expansion::Immediate),
            line(U"IF \"!!\"==\"\" ", Expansion::Delayed)};
}

}  // namespace tarvik

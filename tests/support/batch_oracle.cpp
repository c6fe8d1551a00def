// The model of cmd's line parsing. Bytes of 0x80 and above are ordinary characters, as they are
// to cmd in UTF-8 and single-byte code pages; double-byte characters are hidden in such bytes.
#include "batch_oracle.hpp"

#include <algorithm>
#include <optional>

namespace tarvik::test_doubles {
namespace {

using Hazards = std::vector<std::string>;

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

bool IsDelimiter(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '=' || c == '\v' || c == '\f';
}

std::string Lookup(const BatchEnvironment& environment, const std::string& name) {
    const auto found = environment.find(name);
    return found == environment.end() ? std::string() : found->second;
}

// Phase 1: "%%" is one "%", %0..%9, %* and %~ modifiers are the (absent) batch arguments,
// %NAME% is the variable, and a lone "%" disappears.
std::string ExpandPercents(std::string_view line, const BatchEnvironment& environment,
                           Hazards& hazards) {
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] != '%') {
            out += line[i++];
            continue;
        }
        if (i + 1 < line.size() && line[i + 1] == '%') {
            out += '%';
            i += 2;
        } else if (i + 1 < line.size() &&
                   ((line[i + 1] >= '0' && line[i + 1] <= '9') || line[i + 1] == '*')) {
            hazards.push_back("argument %" + std::string(1, line[i + 1]));
            i += 2;
        } else if (i + 1 < line.size() && line[i + 1] == '~') {
            std::size_t end = i + 2;
            while (end < line.size() && !(line[end] >= '0' && line[end] <= '9')) ++end;
            hazards.push_back("argument modifier " + std::string(line.substr(i, end + 1 - i)));
            i = std::min(end + 1, line.size());
        } else if (const auto close = line.find('%', i + 1); close != std::string_view::npos) {
            const std::string name(line.substr(i + 1, close - i - 1));
            hazards.push_back("percent expansion %" + name + "%");
            out += Lookup(environment, name);
            i = close + 1;
        } else {
            ++i;
        }
    }
    return out;
}

// Phase 2: outside quotes a caret takes the next character literally and disappears; a quote
// toggles quoting, inside which everything is literal. Nothing when the line is not one command:
// a live separator or redirection, or a caret that joins the next line.
std::optional<std::string> ParseSpecials(std::string_view line, Hazards& hazards) {
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            out += c;
            if (c == '"') quoted = false;
            continue;
        }
        switch (c) {
            case '^':
                if (i + 1 == line.size()) {
                    hazards.emplace_back("caret ends the line: the next line is joined to it");
                    return std::nullopt;
                }
                out += line[++i];
                break;
            case '"':
                quoted = true;
                out += c;
                break;
            case '&':
            case '|':
                hazards.push_back(std::string("command separator ") + c);
                return std::nullopt;
            case '<':
            case '>':
                hazards.push_back(std::string("redirection ") + c);
                return std::nullopt;
            case '(':
            case ')':
                hazards.push_back(std::string("parenthesis ") + c);
                out += c;
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Phase 5, for one token: only when delayed expansion is on and the token holds "!"; then a
// caret takes the next character literally, !NAME! expands and a lone "!" disappears.
std::string ExpandDelayed(const std::string& token, const BatchEnvironment& environment,
                          bool delayedExpansion, Hazards* hazards) {
    if (!delayedExpansion || token.find('!') == std::string::npos) return token;
    std::string out;
    for (std::size_t i = 0; i < token.size();) {
        if (token[i] == '^') {
            if (i + 1 < token.size()) out += token[i + 1];
            i += 2;
        } else if (token[i] == '!') {
            const auto close = token.find('!', i + 1);
            if (close == std::string::npos) {
                ++i;
                continue;
            }
            const std::string name = token.substr(i + 1, close - i - 1);
            if (hazards != nullptr) hazards->push_back("delayed expansion !" + name + "!");
            out += Lookup(environment, name);
            i = close + 1;
        } else {
            out += token[i++];
        }
    }
    return out;
}

std::size_t SkipDelimiters(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDelimiter(text[pos])) ++pos;
    return pos;
}

// Inside IF, "=" belongs to the comparison operator.
std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    return pos;
}

// SET's own rules: leading blanks skipped, a leading slash starts a switch (/A, /P), a leading
// quote starts the quoted form (which ends at the last quote), the name ends at the first "=",
// an empty value removes the variable.
void RunSet(std::string arguments, BatchEnvironment& environment, Hazards& hazards) {
    arguments.erase(0, arguments.find_first_not_of(" \t"));
    if (!arguments.empty() && arguments.front() == '/') {
        hazards.emplace_back("SET with a switch");
        return;
    }
    if (!arguments.empty() && arguments.front() == '"') {
        hazards.emplace_back("SET in its quoted form");
        arguments.erase(0, 1);
        if (const auto last = arguments.rfind('"'); last != std::string::npos)
            arguments.erase(last);
    }
    const auto equals = arguments.find('=');
    if (equals == std::string::npos || equals == 0) {
        hazards.emplace_back("SET that sets nothing");
        return;
    }
    const std::string name = arguments.substr(0, equals);
    const std::string value = arguments.substr(equals + 1);
    if (value.empty()) {
        environment.erase(name);
    } else {
        environment[name] = value;
    }
}

// One IF operand: a quoted string (quotes kept) and whatever follows it up to "==" or a delimiter.
std::string TakeOperand(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    if (pos < text.size() && text[pos] == '"') {
        const auto close = text.find('"', pos + 1);
        pos = close == std::string_view::npos ? text.size() : close + 1;
    }
    while (pos < text.size() && !IsDelimiter(text[pos]) && text.substr(pos, 2) != "==") ++pos;
    return std::string(text.substr(start, pos - start));
}

void RunCommand(std::string_view command, BatchEnvironment& environment, bool delayedExpansion,
                Hazards& hazards);

void RunIf(std::string_view rest, BatchEnvironment& environment, bool delayedExpansion,
           Hazards& hazards) {
    std::size_t pos = SkipBlanks(rest, 0);
    bool negate = false;
    if (rest.size() >= pos + 4 && Upper(rest[pos]) == 'N' && Upper(rest[pos + 1]) == 'O' &&
        Upper(rest[pos + 2]) == 'T' && IsDelimiter(rest[pos + 3])) {
        negate = true;
        pos = SkipBlanks(rest, pos + 3);
    }
    const std::string left = TakeOperand(rest, pos);
    pos = SkipBlanks(rest, pos);
    if (rest.substr(pos, 2) != "==") {
        hazards.emplace_back("IF of another form");
        return;
    }
    pos = SkipBlanks(rest, pos + 2);
    const std::string right = TakeOperand(rest, pos);
    const bool equal = ExpandDelayed(left, environment, delayedExpansion, nullptr) ==
                       ExpandDelayed(right, environment, delayedExpansion, nullptr);
    if (equal != negate) RunCommand(rest.substr(pos), environment, delayedExpansion, hazards);
}

void RunCommand(std::string_view command, BatchEnvironment& environment, bool delayedExpansion,
                Hazards& hazards) {
    const std::size_t start = SkipDelimiters(command, 0);
    std::size_t end = start;
    while (end < command.size() && !IsDelimiter(command[end])) ++end;
    std::string name(command.substr(start, end - start));
    std::transform(name.begin(), name.end(), name.begin(), Upper);
    const std::string_view rest = command.substr(end);
    if (name == "SET") {
        // SET's arguments are one token for phase 5.
        RunSet(ExpandDelayed(std::string(rest), environment, delayedExpansion, &hazards),
               environment, hazards);
    } else if (name == "IF") {
        RunIf(rest, environment, delayedExpansion, hazards);
    } else if (!name.empty()) {
        hazards.push_back("runs command " + name);
    }
}

// Each double-byte character, and each other byte of 0x80 and above, as a run of bytes of 0x80
// and above that the model takes for ordinary characters; Unhide takes them back.
std::string Hide(std::string_view bytes, const std::bitset<256>& leadBytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (leadBytes[b] && i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[++i]);
            out += {'\xFE', static_cast<char>(b), trail >= 0x80 ? '\xFE' : '\xFD',
                    static_cast<char>(trail | 0x80)};
        } else if (b >= 0x80) {
            out += {'\xFF', static_cast<char>(b)};
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

std::string Unhide(std::string_view hidden) {
    std::string out;
    for (std::size_t i = 0; i < hidden.size(); ++i) {
        if (hidden[i] == '\xFE') {
            out += hidden[i + 1];
            out +=
                hidden[i + 2] == '\xFE' ? hidden[i + 3] : static_cast<char>(hidden[i + 3] & 0x7F);
            i += 3;
        } else if (hidden[i] == '\xFF') {
            out += hidden[++i];
        } else {
            out += hidden[i];
        }
    }
    return out;
}

}  // namespace

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Upper(x) < Upper(y); });
}

bool SameVariables(const BatchEnvironment& a, const BatchEnvironment& b) {
    const NoCaseLess less;
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](const auto& x, const auto& y) {
        return !less(x.first, y.first) && !less(y.first, x.first) && x.second == y.second;
    });
}

std::vector<std::string> RunBatchFile(std::string_view file, BatchEnvironment& environment,
                                      bool delayedExpansion) {
    Hazards hazards;
    while (!file.empty()) {
        const auto end = file.find("\r\n");
        if (end == std::string_view::npos) hazards.emplace_back("line without CR LF");
        const std::string_view line = file.substr(0, end);
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 2);
        const std::string expanded = ExpandPercents(line, environment, hazards);
        if (const auto command = ParseSpecials(expanded, hazards)) {
            RunCommand(*command, environment, delayedExpansion, hazards);
        }
    }
    return hazards;
}

std::vector<std::string> RunResultFile(std::string_view file, BatchEnvironment& environment,
                                       bool delayedExpansion) {
    const auto firstEnd = file.find("\r\n");
    if (!delayedExpansion || firstEnd == std::string_view::npos || firstEnd + 2 == file.size()) {
        return RunBatchFile(file, environment, delayedExpansion);
    }
    Hazards hazards;
    for (std::string& hazard :
         RunBatchFile(file.substr(0, firstEnd + 2), environment, delayedExpansion)) {
        if (hazard.rfind("delayed expansion", 0) != 0) hazards.push_back(std::move(hazard));
    }
    for (std::string& hazard :
         RunBatchFile(file.substr(firstEnd + 2), environment, delayedExpansion)) {
        hazards.push_back(std::move(hazard));
    }
    return hazards;
}

std::vector<std::string> RunResultFile(std::string_view file, BatchEnvironment& environment,
                                       bool delayedExpansion, const std::bitset<256>& leadBytes) {
    BatchEnvironment hidden;
    for (const auto& [name, value] : environment)
        hidden[Hide(name, leadBytes)] = Hide(value, leadBytes);
    Hazards hazards = RunResultFile(Hide(file, leadBytes), hidden, delayedExpansion);
    environment.clear();
    for (const auto& [name, value] : hidden) environment[Unhide(name)] = Unhide(value);
    return hazards;
}

}  // namespace tarvik::test_doubles

// Golden texts with a run's values in place of their marks ("{compare}" and the like), as narrow
// bytes or as wide Windows text; a mark given no value stays as it is.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "golden_texts.hpp"

namespace golden {

template <class Char>
using Values = std::initializer_list<std::pair<std::string_view, std::basic_string_view<Char>>>;

template <class Char>
std::basic_string<Char> FillAs(std::string_view text, Values<Char> values) {
    std::basic_string<Char> filled;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('{', at);
        const std::size_t close = text.find('}', open);
        const auto copy = [&](std::size_t end) {
            for (; at < end; ++at) filled += static_cast<Char>(text[at]);  // ASCII
        };
        if (close == std::string_view::npos) {
            copy(text.size());
            break;
        }
        copy(open);
        const std::string_view mark = text.substr(open + 1, close - open - 1);
        const auto* value = values.begin();
        while (value != values.end() && value->first != mark) ++value;
        if (value == values.end()) {
            copy(close + 1);
        } else {
            filled += value->second;
            at = close + 1;
        }
    }
    return filled;
}

inline std::string Fill(std::string_view text, Values<char> values = {}) {
    return FillAs<char>(text, values);
}

// The bytes of an error file holding the text: each line ends with CR LF.
inline std::string Report(std::string_view text, Values<char> values = {}) {
    return FillAs<char>(text, values) + "\r\n";
}

inline std::wstring WideFill(std::string_view text, Values<wchar_t> values = {}) {
    return FillAs<wchar_t>(text, values);
}

}  // namespace golden

// Numeric text, parsed digit by digit so that no length of input can overflow the parser.
#include "numeric.hpp"

namespace tarvik {
namespace {

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

struct Parts {
    bool negative = false;
    TextView whole;
    TextView fraction;
};

bool Split(TextView text, Parts& parts) {
    if (!text.empty() && (text[0] == U'+' || text[0] == U'-')) {
        parts.negative = text[0] == U'-';
        text.remove_prefix(1);
    }
    const auto point = text.find(U'.');
    parts.whole = text.substr(0, point);
    parts.fraction = point == TextView::npos ? TextView{} : text.substr(point + 1);
    for (TextView digits : {parts.whole, parts.fraction})
        for (char32_t c : digits)
            if (!IsDigit(c)) return false;
    return !parts.whole.empty() || !parts.fraction.empty();
}

}  // namespace

bool IsNumeric(TextView text) {
    Parts parts;
    return Split(text, parts);
}

Int16 NumericToInt16(TextView text) {
    Parts parts;
    if (!Split(text, parts)) throw GeneralFailure("not numeric");
    long long magnitude = 0;
    for (char32_t c : parts.whole) {
        magnitude = magnitude * 10 + (c - U'0');
        if (magnitude > 32768) throw GeneralFailure("16-bit overflow");
    }
    // Round half to even: compare the fraction with one half.
    int versusHalf = 0;
    if (!parts.fraction.empty()) {
        if (parts.fraction[0] > U'5') {
            versusHalf = 1;
        } else if (parts.fraction[0] < U'5') {
            versusHalf = -1;
        } else {
            versusHalf = parts.fraction.substr(1).find_first_not_of(U'0') == TextView::npos ? 0 : 1;
        }
    }
    if (versusHalf > 0 || (versusHalf == 0 && !parts.fraction.empty() && magnitude % 2 == 1))
        ++magnitude;
    return CheckedInt16(parts.negative ? -magnitude : magnitude);
}

}  // namespace tarvik

// Twip and point arithmetic, kept apart from the window code so it can be checked on its own.
#include "form1_layout.hpp"

#include <cstdint>

namespace tarvik::win32 {

int ScaleRounded(int value, int numerator, int denominator) {
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return static_cast<int>(rounded);
}

int TwipsToPixels(int twips, int dotsPerInch) {
    return ScaleRounded(twips, dotsPerInch, kTwipsPerInch);
}

PixelRect ToPixels(const TwipRect& rect, int dotsPerInchX, int dotsPerInchY) {
    return {TwipsToPixels(rect.left, dotsPerInchX), TwipsToPixels(rect.top, dotsPerInchY),
            TwipsToPixels(rect.width, dotsPerInchX), TwipsToPixels(rect.height, dotsPerInchY)};
}

int FontPixelHeight(int hundredthsOfPoint, int dotsPerInchY) {
    // 72 points make an inch.
    return ScaleRounded(hundredthsOfPoint, dotsPerInchY, 7200);
}

}  // namespace tarvik::win32

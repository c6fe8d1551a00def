// Form1 as designed, in twips and points, and its conversion to pixels of the actual screen.
#pragma once

namespace tarvik::win32 {

// 1440 twips make an inch: 15 twips make one pixel at 96 dots per inch.
inline constexpr int kTwipsPerInch = 1440;

struct TwipRect {
    int left, top, width, height;
};

struct PixelRect {
    int left, top, width, height;
    bool operator==(const PixelRect&) const = default;
};

struct FontDesign {
    const wchar_t* face;
    int hundredthsOfPoint;
    int weight;
};

inline constexpr int kForm1ClientWidth = 9030;
inline constexpr int kForm1ClientHeight = 5085;
// Wider than the client area on purpose: at the initial size the label's right end is hidden.
inline constexpr TwipRect kLabel1Rect = {120, 120, 9255, 1095};
inline constexpr TwipRect kText1Rect = {120, 1200, 8775, 3735};
inline constexpr FontDesign kLabel1Font = {L"Arial", 1125, 700};
inline constexpr FontDesign kText1Font = {L"Arial", 1200, 700};

// value * numerator / denominator, rounded half away from zero like MulDiv.
int ScaleRounded(int value, int numerator, int denominator);

int TwipsToPixels(int twips, int dotsPerInch);
PixelRect ToPixels(const TwipRect& rect, int dotsPerInchX, int dotsPerInchY);

// The character height in pixels of a font of that size (a negative LOGFONT height).
int FontPixelHeight(int hundredthsOfPoint, int dotsPerInchY);

}  // namespace tarvik::win32

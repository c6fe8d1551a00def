// Screen captures of controls next to the same icon or text drawn in memory.
#include "screen_pixels.hpp"

#include <algorithm>
#include <vector>

#include "deadline.hpp"

namespace wine_driver {
namespace {

// A memory bitmap of the given size, selected into its own DC.
class Canvas {
  public:
    Canvas(HDC screen, int width, int height)
        : dc_(CreateCompatibleDC(screen)),
          bitmap_(CreateCompatibleBitmap(screen, width, height)),
          width_(width),
          height_(height) {
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    void Fill(COLORREF colour) const {
        HBRUSH brush = CreateSolidBrush(colour);
        const RECT whole{0, 0, width_, height_};
        FillRect(dc_, &whole, brush);
        DeleteObject(brush);
    }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    int width_;
    int height_;
};

// The control as painted now, `size` pixels from its top left corner.
bool Capture(HWND control, const Canvas& into, SIZE size) {
    // Painted now, so that the capture shows the finished control.
    RedrawWindow(GetParent(control), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    POINT origin{0, 0};
    if (!ClientToScreen(control, &origin)) return false;
    HDC screen = GetDC(nullptr);
    const bool copied =
        BitBlt(into.Dc(), 0, 0, size.cx, size.cy, screen, origin.x, origin.y, SRCCOPY) != FALSE;
    ReleaseDC(nullptr, screen);
    return copied;
}

// Colours that differ by more than a faint shade in some channel: an edit control may shade the
// faintest edge pixel of a glyph a little differently from TextOut; another face or size differs
// in whole strokes.
bool Differ(COLORREF a, COLORREF b) {
    constexpr int kFaintShade = 0x20;
    for (const int shift : {0, 8, 16}) {
        const int difference =
            static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (difference > kFaintShade || difference < -kFaintShade) return true;
    }
    return false;
}

int Unlike(HDC a, POINT atA, HDC b, SIZE size) {
    int unlike = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x)
            unlike += Differ(GetPixel(a, atA.x + x, atA.y + y), GetPixel(b, x, y)) ? 1 : 0;
    }
    return unlike;
}

// Wine paints into a surface of the process and hands it to the X server a little later, so the
// screen may still show an older picture: look again until it matches or the time is up.
template <typename Measure>
int SettledUnlike(Measure measure) {
    constexpr DWORD kSettleMs = 5000;
    const Deadline deadline(kSettleMs);
    int unlike = measure();
    while (unlike != 0 && !deadline.Passed()) {
        Sleep(deadline.Remaining(50));
        unlike = measure();
    }
    return unlike;
}

int IconPixelsUnlikeNow(HWND iconControl, LPCWSTR systemIcon) {
    RECT client{};
    if (!GetClientRect(iconControl, &client) || client.right <= 0 || client.bottom <= 0) return -1;
    const SIZE size{client.right, client.bottom};
    HDC screen = GetDC(nullptr);
    Canvas shown(screen, size.cx, size.cy);
    Canvas drawn(screen, size.cx, size.cy);
    ReleaseDC(nullptr, screen);
    if (!Capture(iconControl, shown, size)) return -1;
    // The icon's transparent corner shows the background it was drawn on.
    drawn.Fill(GetPixel(shown.Dc(), 0, 0));
    DrawIconEx(drawn.Dc(), 0, 0, LoadIconW(nullptr, systemIcon), size.cx, size.cy, 0, nullptr,
               DI_NORMAL);
    return Unlike(shown.Dc(), {0, 0}, drawn.Dc(), size);
}

int TextPixelsUnlikeNow(HWND control, const std::wstring& line, const LOGFONTW& font) {
    // Margins of labels and edit controls are a few pixels at most.
    constexpr int kLargestOffset = 8;
    RECT client{};
    if (!GetClientRect(control, &client) || client.right <= 0 || client.bottom <= 0) return -1;
    HDC screen = GetDC(nullptr);
    Canvas shown(screen, client.right, client.bottom);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ previousFont = SelectObject(shown.Dc(), handle);
    SIZE text{};
    GetTextExtentPoint32W(shown.Dc(), line.c_str(), static_cast<int>(line.size()), &text);
    const SIZE size{std::min<LONG>(text.cx, client.right - kLargestOffset),
                    std::min<LONG>(text.cy, client.bottom - kLargestOffset)};
    Canvas drawn(screen, size.cx, size.cy);
    ReleaseDC(nullptr, screen);
    SelectObject(shown.Dc(), previousFont);

    int best = -1;
    if (size.cx > 0 && size.cy > 0 && Capture(control, shown, {client.right, client.bottom})) {
        // The control's background, from just right of where the line ends.
        const COLORREF background =
            GetPixel(shown.Dc(), std::min<LONG>(client.right - 1, text.cx + kLargestOffset + 2), 0);
        previousFont = SelectObject(drawn.Dc(), handle);
        drawn.Fill(background);
        SetBkMode(drawn.Dc(), TRANSPARENT);
        SetTextColor(drawn.Dc(), GetSysColor(COLOR_WINDOWTEXT));
        TextOutW(drawn.Dc(), 0, 0, line.c_str(), static_cast<int>(line.size()));
        SelectObject(drawn.Dc(), previousFont);
        for (LONG y = 0; y <= kLargestOffset; ++y) {
            for (LONG x = 0; x <= kLargestOffset; ++x) {
                const int unlike = Unlike(shown.Dc(), {x, y}, drawn.Dc(), size);
                if (best < 0 || unlike < best) best = unlike;
            }
        }
    }
    DeleteObject(handle);
    return best;
}

}  // namespace

int IconPixelsUnlike(HWND iconControl, LPCWSTR systemIcon) {
    return SettledUnlike([&] { return IconPixelsUnlikeNow(iconControl, systemIcon); });
}

int TextPixelsUnlike(HWND control, const std::wstring& line, const LOGFONTW& font) {
    return SettledUnlike([&] { return TextPixelsUnlikeNow(control, line, font); });
}

std::wstring FamilyOf(const LOGFONTW& font) {
    HDC screen = GetDC(nullptr);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ previous = SelectObject(screen, handle);
    std::wstring family;
    if (const UINT size = GetOutlineTextMetricsW(screen, 0, nullptr); size > 0) {
        std::vector<char> buffer(size);
        auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
        if (GetOutlineTextMetricsW(screen, size, metrics) != 0) {
            family = reinterpret_cast<const wchar_t*>(
                buffer.data() + reinterpret_cast<UINT_PTR>(metrics->otmpFamilyName));
        }
    }
    SelectObject(screen, previous);
    DeleteObject(handle);
    ReleaseDC(nullptr, screen);
    return family;
}

LOGFONTW DesignFont(const wchar_t* face, int pixelHeight, int weight) {
    LOGFONTW font{};
    font.lfHeight = -pixelHeight;
    font.lfWeight = weight;
    font.lfCharSet = ANSI_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return font;
}

}  // namespace wine_driver

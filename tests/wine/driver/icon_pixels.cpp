// Screen capture of a control next to the same icon drawn in memory.
#include "icon_pixels.hpp"

#include <vector>

namespace wine_driver {
namespace {

// A memory bitmap of the given size, selected into its own DC.
class Canvas {
public:
    Canvas(HDC screen, int width, int height)
        : dc_(CreateCompatibleDC(screen)), bitmap_(CreateCompatibleBitmap(screen, width, height)) {
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

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

std::vector<COLORREF> Pixels(HDC dc, int width, int height) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    }
    return pixels;
}

}  // namespace

int PixelsUnlike(HWND iconControl, LPCWSTR systemIcon) {
    // Painted now, so that the capture shows the finished control.
    RedrawWindow(GetParent(iconControl), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rect{};
    if (!GetWindowRect(iconControl, &rect)) return -1;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return -1;

    HDC screen = GetDC(nullptr);
    Canvas shown(screen, width, height);
    Canvas drawn(screen, width, height);
    const bool captured = BitBlt(shown.Dc(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
    ReleaseDC(nullptr, screen);
    if (!captured) return -1;
    const std::vector<COLORREF> shownPixels = Pixels(shown.Dc(), width, height);

    // The icon's transparent corner shows the background it was drawn on.
    HBRUSH background = CreateSolidBrush(shownPixels.front());
    const RECT whole{0, 0, width, height};
    FillRect(drawn.Dc(), &whole, background);
    DeleteObject(background);
    DrawIconEx(drawn.Dc(), 0, 0, LoadIconW(nullptr, systemIcon), width, height, 0, nullptr, DI_NORMAL);
    const std::vector<COLORREF> drawnPixels = Pixels(drawn.Dc(), width, height);

    int unlike = 0;
    for (std::size_t i = 0; i < shownPixels.size(); ++i) unlike += shownPixels[i] != drawnPixels[i] ? 1 : 0;
    return unlike;
}

}  // namespace wine_driver

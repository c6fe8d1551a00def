// What a control shows, told from its pixels on the screen: icon handles, icon data and fonts of
// another process cannot be read under Wine (WM_GETFONT answers 0 across processes), but what the
// screen shows can. The driver draws the expected picture itself and compares.
#pragma once

#include <windows.h>

#include <string>

namespace wine_driver {

// Pixels of the icon control that differ from `systemIcon` (e.g. IDI_ERROR) drawn by the driver
// at the control's size on the control's own background; -1 when nothing could be captured.
int IconPixelsUnlike(HWND iconControl, LPCWSTR systemIcon);

// Pixels of the first `line` of a control's text that differ from the same text drawn by the
// driver in `font`, at the best of the small offsets a control's margins allow; -1 when nothing
// could be captured.
int TextPixelsUnlike(HWND control, const std::wstring& line, const LOGFONTW& font);

// The family of the installed font that `font` resolves to, empty when it has no outline metrics.
std::wstring FamilyOf(const LOGFONTW& font);

// The font a design names: face, pixel height, weight; ANSI character set, no italics,
// underline or strike-out.
LOGFONTW DesignFont(const wchar_t* face, int pixelHeight, int weight);

}  // namespace wine_driver

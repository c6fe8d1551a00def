// Which icon a control shows, told from its pixels on the screen: icon handles and icon data of
// another process cannot be read under Wine, but what the screen shows can.
#pragma once

#include <windows.h>

namespace wine_driver {

// Pixels of the icon control on the screen that differ from `systemIcon` (e.g. IDI_ERROR) drawn
// by the driver at the control's size on the control's own background; -1 when the control could
// not be captured.
int PixelsUnlike(HWND iconControl, LPCWSTR systemIcon);

}  // namespace wine_driver

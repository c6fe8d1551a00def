// A desktop nobody sees, for the cases that run where no user is logged on.
#pragma once

#include <string>

namespace wine_driver {

// "station\desktop" of a window station made without visible display surfaces, as Windows gives
// a scheduled task that runs whether the user is logged on or not, or a service; empty when it
// could not be made.
const std::wstring& UnseenDesktop();

}  // namespace wine_driver

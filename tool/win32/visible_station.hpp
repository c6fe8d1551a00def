// Whether anybody can see the windows of this process.
#pragma once

namespace tarvik::win32 {

// True where the process's window station has visible display surfaces (WSF_VISIBLE) and its
// thread a desktop. A scheduled task run whether the user is logged on or not, a service, or an
// agent running as one gets a window station without them: a modal window there waits for a
// click that never comes.
bool WindowStationIsVisible();

}  // namespace tarvik::win32

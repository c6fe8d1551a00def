// Form1, the usage window: the synopsis, the help and examples, and the version in its title.
#pragma once

namespace tarvik::win32 {

// Creates Form1, loads it, shows it and returns once the user has closed it. A failure while
// loading throws GeneralFailure before anything is shown.
void ShowUsageWindow();

}  // namespace tarvik::win32

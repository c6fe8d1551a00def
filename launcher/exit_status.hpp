// Turns the value returned by std::system into the launcher's own exit status.
#pragma once

namespace norlak {

// Windows: the value itself, all 32 bits. POSIX: the status the shell reported (a wait status is
// decoded; a signal gives 128 + its number, as shells report it); -1 stays -1.
int ExitStatus(int systemResult);

}  // namespace norlak

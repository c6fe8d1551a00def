// Windows: std::system already returns the interpreter's exit code (or -1), which is passed on
// unchanged, values above 255 and negative ones included.
#include "exit_status.hpp"

namespace norlak {

int ExitStatus(int systemResult) {
    return systemResult;
}

}  // namespace norlak

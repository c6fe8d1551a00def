// NORLAK: runs NORLAK.bat through the command interpreter and ends with the interpreter's status.
// Arguments are ignored on purpose: the batch file always runs without any.
#include <cstdlib>

#include "exit_status.hpp"

int main() {
    return norlak::ExitStatus(std::system("NORLAK.bat"));
}

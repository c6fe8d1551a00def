// Helper of output_file_test: starts replacing the file named on its command line, then ends its
// own process before the commit, as a run killed mid-write would.
#include <windows.h>

#include "replacement_file.hpp"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    tarvik::win32::ReplacementFile file(argv[1]);
    file.Write("SET RETU=new\r\n");
    TerminateProcess(GetCurrentProcess(), 3);
    return 4;
}

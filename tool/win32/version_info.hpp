// The program's own version, as its VERSIONINFO resource states it.
#pragma once

namespace tarvik::win32 {

struct ProgramVersion {
    int major;
    int minor;
    int revision;
};

// Read at run time from the executable's file, so the title always agrees with its properties.
ProgramVersion ReadProgramVersion();

}  // namespace tarvik::win32

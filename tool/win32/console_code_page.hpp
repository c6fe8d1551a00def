// The code page of the console the tool was started from: the one its caller reads batch files in.
#pragma once

namespace tarvik::win32 {

// The output code page of the parent's console, or 0 when there is none.
unsigned ParentConsoleCodePage();

}  // namespace tarvik::win32

#pragma once
// Ctrl+C, Ctrl+Break and the console closing, as an event a wait can include.
#include <windows.h>

namespace qov::win32 {

// Signalled once the user stops qovc or its console goes away. The first call
// installs the console control handler, for the rest of the process: it is
// never removed, as removing it could wait for a handler that is running.
HANDLE ConsoleStopEvent();

}  // namespace qov::win32

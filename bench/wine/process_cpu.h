#pragma once
// Another process's CPU time, read from outside under Wine. GetProcessTimes
// does not follow another process there, but GetThreadTimes on each of its
// threads does. Much of what a Wine program costs is spent in the wineserver
// on its behalf; the server's own time comes from /proc.
#include <windows.h>

namespace qov::bench {

// User plus kernel time of every thread of `processId` now alive, in ms.
double ThreadTimesMs(DWORD processId);

// utime + stime of a Unix process (the wineserver: the script passes its pid
// in QOV_WINESERVER_PID), in ms; negative when unknown. 10 ms ticks.
double UnixProcessMs(const char* pid);

}  // namespace qov::bench

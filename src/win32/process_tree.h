#pragma once
// The processes above this one: its parent, the parent's parent, and so on.
#include <vector>

#include "core/window_protection.h"

namespace qov::win32 {

// Nearest first; each with whether it has a top-level window on screen. The
// chain ends where a parent has gone (its id may belong to a newer process by
// now, which is told apart by its later start).
std::vector<AncestorProcess> AncestorProcesses();

}  // namespace qov::win32

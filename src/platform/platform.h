#pragma once
// Everything the program needs of the operating system, handed to the forms
// by the composition root.

#include "platform/forms.h"
#include "platform/process_services.h"
#include "platform/settings_store.h"
#include "platform/window_system.h"

namespace qov {

struct Platform {
    WindowSystem& windows;
    Toolkit& toolkit;
    SettingsStore& store;
    ProcessServices& process;
};

}  // namespace qov

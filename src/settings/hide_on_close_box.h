#pragma once
// The program's dialogs live for the whole run: other parts hold on to their
// controls (the exclusion list box, the option states filled once at start).
// Their title-bar close box therefore only hides them; closing from code or
// at shutdown still unloads them.

#include "platform/forms.h"

namespace qov {

inline void HideOnCloseBox(Form& form) {
    form.onQueryUnload = [&form](bool& cancel, UnloadMode mode) {
        if (mode != UnloadMode::CloseBox) return;
        cancel = true;
        form.Hide();
    };
}

}  // namespace qov

#include "core/window_model.h"

namespace qov {

bool WindowTable::Append(WindowHandle window) {
    if (Full()) return false;
    entries_[++count_] = window;
    return true;
}

void WindowTable::RemoveAt(int position) {
    if (position < 1 || position > count_) return;
    for (int j = position; j < count_; ++j) entries_[j] = entries_[j + 1];
    --count_;
}

int WindowTable::Find(WindowHandle window) const {
    for (int i = 1; i <= count_; ++i)
        if (entries_[i] == window) return i;
    return 0;
}

}  // namespace qov

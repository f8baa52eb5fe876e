#include "core/status_line.h"

namespace qov {

void StatusLine::ShowNotice(const std::string& text) {
    notice_ = text;
    Show();
}

void StatusLine::SetStatusText(const std::string& text) {
    count_ = text;
    Show();
}

// Written only when it changes, as the refresh writes its cells.
void StatusLine::Show() {
    const std::string& text = notice_.empty() ? count_ : notice_;
    if (text == shown_) return;
    shown_ = text;
    list_.SetStatusText(text);
}

}  // namespace qov

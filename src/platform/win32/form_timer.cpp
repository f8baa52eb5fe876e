#include "platform/win32/form_timer.h"

#include "platform/win32/native_control.h"

namespace qov::win32::ui {

Win32Timer::Win32Timer(HWND form, UINT_PTR id, int intervalMilliseconds)
    : form_(form), id_(id), interval_(intervalMilliseconds) {
    Apply();
}

Win32Timer::~Win32Timer() {
    if (form_) KillTimer(form_, id_);
}

void Win32Timer::SetInterval(int milliseconds) {
    interval_ = milliseconds;
    Apply();
}

void Win32Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Apply();
}

void Win32Timer::Apply() {
    if (!form_) return;
    if (enabled_ && interval_ > 0) {
        // Setting an existing timer again restarts its interval.
        SetTimer(form_, id_, static_cast<UINT>(interval_), nullptr);
    } else {
        KillTimer(form_, id_);
    }
}

void Win32Timer::Tick() {
    if (enabled_ && interval_ > 0) Raise(onTimer);
}

}  // namespace qov::win32::ui

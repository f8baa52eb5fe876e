#pragma once
// A timer of a form: WM_TIMER on the form's window with the timer's own id.
#include <windows.h>

#include "platform/forms.h"

namespace qov::win32::ui {

class Win32Timer final : public Timer {
public:
    Win32Timer(HWND form, UINT_PTR id, int intervalMilliseconds);
    ~Win32Timer() override;
    void SetInterval(int milliseconds) override;
    int Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }

    UINT_PTR Id() const { return id_; }
    void Tick();
    void Detach() { form_ = nullptr; }

private:
    // Runs the system timer exactly when enabled with a positive interval.
    void Apply();

    HWND form_;
    UINT_PTR id_;
    int interval_;
    bool enabled_ = true;
};

}  // namespace qov::win32::ui

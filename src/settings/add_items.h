#pragma once
// The add-title dialog "V O V　＜項目追加＞": offers the titles of the windows
// the list would show now and appends the chosen or typed text to the
// exclusion list. Hidden, never destroyed, by its buttons and its close box.

#include <memory>

#include "platform/forms.h"
#include "settings/settings.h"
#include "window_model/window_proc.h"

namespace qov {

class AddItems {
public:
    // Loads the dialog hidden. `excludedList` is the settings dialog's list
    // box, kept line for line in step with Settings::ExcludedTitles.
    AddItems(Toolkit& toolkit, Settings& settings, WindowProc& windowProc, ListBox& excludedList);

    Form& Window() { return *form_; }
    void Unload() { form_->Unload(); }

    // Fills Combo1 with the titles of the windows that pass the current
    // filters, in enumeration order, and shows the dialog. Enumerates into a
    // table of its own, so a refresh in progress is not disturbed.
    void FillTitleChoices();

    void Command1_Click();  // "追加"
    void Command2_Click();  // "キャンセル"

private:
    Toolkit& toolkit_;
    Settings& settings_;
    WindowProc& windowProc_;
    ListBox& excludedList_;
    std::unique_ptr<Form> form_;

public:
    // Controls, in tab order.
    ComboBox& Combo1;
    Button& Command1;
    Button& Command2;
};

}  // namespace qov

#pragma once
// The About box "QOV　＜バージョン情報＞". One instance; "閉じる" hides it.

#include <array>
#include <memory>

#include "platform/forms.h"

namespace qov {

class VersionWnd {
public:
    explicit VersionWnd(Toolkit& toolkit);  // loads the box hidden

    Form& Window() { return *form_; }
    void Show() { form_->Show(); }
    void Unload() { form_->Unload(); }

    void Command1_Click();  // "閉じる"

private:
    std::unique_ptr<Form> form_;

public:
    Label& Label1;
    std::array<Label*, 6> Label2;
    Button& Command1;
};

}  // namespace qov

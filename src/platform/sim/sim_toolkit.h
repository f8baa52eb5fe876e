#pragma once
// The sim form toolkit: forms and controls in memory, message boxes that
// are answered at once, and an event-loop yield that runs what the test
// queued for it, so events arriving in the middle of a long operation can be
// tested at an exact point.
//
// The toolkit must outlive the forms and toolbars it creates.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms.h"
#include "platform/sim/sim_form.h"
#include "platform/sim/sim_toolbar.h"

namespace qov::sim {

class SimDesktop;

struct MessageBoxRecord {
    std::string text;
    std::string title;
    int style = 0;
    bool operator==(const MessageBoxRecord&) const = default;
};

class SimToolkit : public Toolkit {
public:
    // With a desktop, every loaded form is one of its windows.
    explicit SimToolkit(SimDesktop* desktop = nullptr) : desktop_(desktop) {}

    std::unique_ptr<Form> CreateForm(const FormArgs& args) override;
    std::unique_ptr<ImageList> CreateImageList(PictureSet pictures) override;
    std::unique_ptr<ToolBar> CreateToolBar() override;
    void MessageBox(std::string_view text, std::string_view title, int style) override;
    void Yield() override;

    // ---- for tests -------------------------------------------------------------
    SimDesktop* Desktop() const { return desktop_; }

    // Form objects that exist (loaded or not), in creation order.
    const std::vector<SimForm*>& Forms() const { return forms_; }
    // The newest existing form with this caption; null if none.
    SimForm* FindForm(std::string_view caption) const;
    // The toolbars that exist, in creation order.
    const std::vector<SimToolBar*>& ToolBars() const { return toolBars_; }
    // True once a main form has been unloaded: the program should end.
    bool QuitRequested() const { return quit_; }

    const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
    // Runs while a message box is open (the box is already recorded), so a
    // test can deliver events that arrive during the box's modal loop.
    std::function<void(const MessageBoxRecord&)> onMessageBox;

    // Runs `action` once, at the `yieldsFromNow`-th Yield from now (1: the
    // next one). Actions due at the same yield run in the order queued; an
    // action queued while others run waits for a later yield.
    void QueueAtYield(std::function<void()> action, int yieldsFromNow = 1);
    int Yields() const { return yields_; }
    int PendingYieldActions() const { return static_cast<int>(pending_.size()); }

    // ---- used by SimForm and SimToolBar ------------------------------------------
    WindowHandle AttachForm(SimForm& form);  // returns the form's window handle
    void DetachForm(SimForm& form);
    void AttachToolBar(SimToolBar& toolBar) { toolBars_.push_back(&toolBar); }
    void DetachToolBar(SimToolBar& toolBar);
    void RequestQuit() { quit_ = true; }

private:
    struct PendingAction {
        int remainingYields;
        std::function<void()> action;
    };

    SimDesktop* desktop_;
    std::vector<SimForm*> forms_;
    std::vector<SimToolBar*> toolBars_;
    std::vector<MessageBoxRecord> messageBoxes_;
    std::vector<PendingAction> pending_;
    int yields_ = 0;
    bool quit_ = false;
    // Handles for forms when there is no desktop to allocate them.
    WindowHandle nextOwnHandle_ = 0x20010;
};

}  // namespace qov::sim

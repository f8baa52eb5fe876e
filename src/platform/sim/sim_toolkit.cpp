#include "platform/sim/sim_toolkit.h"

#include <algorithm>

#include "platform/sim/sim_desktop.h"

namespace qov::sim {

std::unique_ptr<Form> SimToolkit::CreateForm(const FormArgs& args) {
    return std::make_unique<SimForm>(*this, args);
}

std::unique_ptr<ImageList> SimToolkit::CreateImageList(PictureSet pictures) {
    return std::make_unique<SimImageList>(pictures);
}

std::unique_ptr<ToolBar> SimToolkit::CreateToolBar() {
    return std::make_unique<SimToolBar>(*this);
}

void SimToolkit::MessageBox(std::string_view text, std::string_view title, int style) {
    messageBoxes_.push_back({std::string(text), std::string(title), style});
    if (onMessageBox) {
        const std::function<void(const MessageBoxRecord&)> whileOpen = onMessageBox;
        whileOpen(messageBoxes_.back());
    }
}

void SimToolkit::Yield() {
    ++yields_;
    std::vector<std::function<void()>> due;
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (--it->remainingYields <= 0) {
            due.push_back(std::move(it->action));
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& action : due) action();
}

void SimToolkit::QueueAtYield(std::function<void()> action, int yieldsFromNow) {
    pending_.push_back({std::max(yieldsFromNow, 1), std::move(action)});
}

SimForm* SimToolkit::FindForm(std::string_view caption) const {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
        if ((*it)->Caption() == caption) return *it;
    }
    return nullptr;
}

WindowHandle SimToolkit::AttachForm(SimForm& form) {
    forms_.push_back(&form);
    if (!desktop_) {
        const WindowHandle handle = nextOwnHandle_;
        nextOwnHandle_ += 4;
        return handle;
    }
    const int pixelWidth = static_cast<int>(form.Width()) / 15;
    const int pixelHeight = static_cast<int>(form.Height()) / 15;
    return desktop_->CreateWindow(form.Caption(), SimForm::kWindowClass,
                                  {100, 100, 100 + pixelWidth, 100 + pixelHeight},
                                  kShowStateNormal, false);
}

void SimToolkit::DetachForm(SimForm& form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
}

void SimToolkit::DetachToolBar(SimToolBar& toolBar) {
    toolBars_.erase(std::remove(toolBars_.begin(), toolBars_.end(), &toolBar), toolBars_.end());
}

}  // namespace qov::sim

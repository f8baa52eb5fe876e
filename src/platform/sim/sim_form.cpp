#include "platform/sim/sim_form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_toolkit.h"

namespace qov::sim {
namespace {

const MenuItem* FindIn(const std::vector<MenuItem>& items, std::string_view name) {
    for (const MenuItem& item : items) {
        if (item.name == name) return &item;
        if (const MenuItem* found = FindIn(item.children, name)) return found;
    }
    return nullptr;
}

}  // namespace

SimForm::SimForm(SimToolkit& toolkit, const FormArgs& args) : toolkit_(toolkit), args_(args) {
    const bool sizable = args.style == FormStyle::Sizable;
    outerWidth_ = args.clientWidth + (sizable ? kSizableExtraWidth : kFixedExtraWidth);
    outerHeight_ = args.clientHeight + (sizable ? kSizableExtraHeight : kFixedExtraHeight);
    handle_ = toolkit_.AttachForm(*this);
    if (SimDesktop* desktop = toolkit_.Desktop()) {
        desktop->SetCloseHandler(handle_, [this] { Close(); });
    }
}

SimForm::~SimForm() {
    ReleaseWindow();
    toolkit_.DetachForm(*this);
}

void SimForm::Show() {
    if (!loaded_) return;
    visible_ = true;
    LayOutDockedControls();
    if (SimDesktop* desktop = toolkit_.Desktop()) {
        desktop->SetVisible(handle_, true);
        desktop->SetForeground(handle_);  // showing a form activates it
    }
}

void SimForm::Hide() {
    if (!loaded_) return;
    visible_ = false;
    if (SimDesktop* desktop = toolkit_.Desktop()) {
        desktop->SetVisible(handle_, false);
        if (desktop->Foreground() == handle_) desktop->SetForeground(0);
    }
}

bool SimForm::Visible() const {
    if (!loaded_) return false;
    // The window manager may have shown or hidden the window itself.
    if (const SimDesktop* desktop = toolkit_.Desktop()) {
        const SimWindow* window = desktop->Window(handle_);
        return window && window->visible;
    }
    return visible_;
}

void SimForm::Unload() {
    if (!loaded_) return;
    loaded_ = false;
    visible_ = false;
    for (const auto& timer : timers_) timer->Stop();
    ReleaseWindow();
    if (args_.isMainForm) toolkit_.RequestQuit();
}

bool SimForm::QueryClose(UnloadMode mode) {
    if (!loaded_) return false;
    bool cancel = false;
    if (onQueryUnload) onQueryUnload(cancel, mode);
    if (cancel) return false;
    Unload();
    return true;
}

void SimForm::Resize(int outerWidthTwips, int outerHeightTwips) {
    outerWidth_ = outerWidthTwips;
    outerHeight_ = outerHeightTwips;
    LayOutDockedControls();
    if (onResize) onResize();
}

int SimForm::ClientWidth() const {
    const bool sizable = args_.style == FormStyle::Sizable;
    return std::max(0, outerWidth_ - (sizable ? kSizableExtraWidth : kFixedExtraWidth));
}

int SimForm::ClientHeight() const {
    const bool sizable = args_.style == FormStyle::Sizable;
    const int menu = menus_.empty() ? 0 : kMenuBarHeight;
    return std::max(0, outerHeight_ - (sizable ? kSizableExtraHeight : kFixedExtraHeight) - menu);
}

void SimForm::LayOutDockedControls() {
    constexpr int kStatusBarHeight = 255;
    for (const Child& child : Children()) {
        if (auto* status = dynamic_cast<SimStatusBar*>(child.control.get()))
            status->SetBounds({0, ClientHeight() - kStatusBarHeight, ClientWidth(), kStatusBarHeight});
        if (auto* box = dynamic_cast<SimPictureBox*>(child.control.get()); box && box->Align() == 1)
            box->SetBounds({0, 0, ClientWidth(), box->Bounds().height});
    }
}

void SimForm::SetMenuBar(std::vector<MenuItem> menus) {
    const bool hadMenu = !menus_.empty();
    menus_ = std::move(menus);
    checkedMenus_.clear();
    outerHeight_ += (menus_.empty() ? 0 : kMenuBarHeight) - (hadMenu ? kMenuBarHeight : 0);
}

// An unknown name changes nothing, as checking a missing native item does.
void SimForm::SetMenuChecked(std::string_view name, bool checked) {
    if (!FindMenu(name)) return;
    const auto it = std::find(checkedMenus_.begin(), checkedMenus_.end(), name);
    if (checked && it == checkedMenus_.end()) checkedMenus_.emplace_back(name);
    if (!checked && it != checkedMenus_.end()) checkedMenus_.erase(it);
}

bool SimForm::MenuChecked(std::string_view name) const {
    return std::find(checkedMenus_.begin(), checkedMenus_.end(), name) != checkedMenus_.end();
}

void SimForm::PopupMenu(std::string_view name, int x, int y) {
    popups_.push_back({std::string(name), x, y});
    if (nextPopupChoice_.empty()) return;
    const std::string choice = std::exchange(nextPopupChoice_, {});
    ClickMenu(choice);
}

Timer& SimForm::AddTimer(int intervalMilliseconds) {
    timers_.push_back(std::make_unique<SimTimer>(intervalMilliseconds));
    return *timers_.back();
}

void SimForm::ClickMenu(std::string_view name) {
    // A copy: the handler may rebuild the menu bar.
    const std::function<void()> onClick = Menu(name).onClick;
    if (onClick) onClick();
}

std::string SimForm::MenuCaption(std::string_view name) const { return Menu(name).caption; }

std::string SimForm::MenuShortcut(std::string_view name) const { return Menu(name).shortcut; }

const MenuItem& SimForm::Menu(std::string_view name) const {
    const MenuItem* item = FindMenu(name);
    if (!item) throw std::invalid_argument("no menu item named " + std::string(name));
    return *item;
}

int SimForm::FireTimers() {
    int fired = 0;
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        if (timers_[i]->Fire()) ++fired;
    }
    return fired;
}

const MenuItem* SimForm::FindMenu(std::string_view name) const { return FindIn(menus_, name); }

void SimForm::ReleaseWindow() {
    SimDesktop* desktop = toolkit_.Desktop();
    if (desktop && handle_ != 0) desktop->DestroyWindow(handle_);
}

}  // namespace qov::sim

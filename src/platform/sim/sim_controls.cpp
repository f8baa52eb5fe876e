#include "platform/sim/sim_controls.h"

namespace qov::sim {
namespace {

void CheckIndex(int index, int first, int count, const char* what) {
    if (index < first || index >= first + count) {
        throw ToolkitError(std::string(what) + ": index " + std::to_string(index) +
                           " out of range");
    }
}

}  // namespace

void FailureInjection::Check(const char* operation) {
    if (!remaining_) return;
    if (*remaining_ > 0) {
        --*remaining_;
        return;
    }
    remaining_.reset();
    throw ToolkitError(std::string(operation) + " failed (injected)");
}

void SimStatusBar::SetSimpleText(std::string_view text) {
    failSetText_.Check("SetSimpleText");
    ++writes_;
    text_ = std::string(text);
}

void SimButton::Click() {
    if (onClick) onClick();
}

void SimCheckBox::Click() {
    checked_ = !checked_;
    if (onClick) onClick();
}

void SimOptionButton::SetSelected(bool selected) {
    if (selected) {
        for (SimOptionButton* other : group_.members) other->selected_ = false;
    }
    selected_ = selected;
}

void SimOptionButton::Click() {
    SetSelected(true);
    if (onClick) onClick();
}

void SimListBox::RemoveItem(int index) {
    CheckIndex(index, 0, ListCount(), "ListBox.RemoveItem");
    items_.erase(items_.begin() + index);
    if (index == listIndex_) {
        listIndex_ = -1;
    } else if (index < listIndex_) {
        --listIndex_;
    }
}

std::string SimListBox::Item(int index) const {
    return index >= 0 && index < ListCount() ? items_[index] : std::string();
}

void SimListBox::SetListIndex(int index) {
    if (index != -1) CheckIndex(index, 0, ListCount(), "ListBox.SetListIndex");
    listIndex_ = index;
}

void SimComboBox::Clear() {
    items_.clear();
    text_.clear();
}

std::string SimComboBox::Item(int index) const {
    return index >= 0 && index < ListCount() ? items_[index] : std::string();
}

void SimComboBox::ChooseItem(int index) {
    CheckIndex(index, 0, ListCount(), "ComboBox.ChooseItem");
    text_ = items_[index];
}

void SimTabStrip::SetSelectedTab(int tab) {
    CheckIndex(tab, 1, TabCount(), "TabStrip.SetSelectedTab");
    selected_ = tab;
}

std::string SimTabStrip::TabCaption(int tab) const {
    return tab >= 1 && tab <= TabCount() ? tabs_[tab - 1] : std::string();
}

void SimTabStrip::ClickTab(int tab) {
    SetSelectedTab(tab);
    if (onClick) onClick();
}

bool SimTimer::Fire() {
    if (!WouldTick() || !onTimer) return false;
    onTimer();
    return true;
}

}  // namespace qov::sim

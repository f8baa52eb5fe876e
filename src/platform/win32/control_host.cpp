#include "platform/win32/control_host.h"

#include "platform/win32/containers.h"
#include "platform/win32/controls.h"
#include "platform/win32/list_view.h"

namespace qov::win32::ui {

template <typename T, typename... Args>
T& ControlHost::Add(Args&&... args) {
    auto control = std::make_unique<T>(context_, parent_, std::forward<Args>(args)...);
    T& added = *control;
    controls_.push_back(std::move(control));
    // New windows go below their older siblings; a tab strip must stay below
    // the pages created after it, or it paints over them.
    for (Win32TabStrip* tabs : tabStrips_) tabs->MoveToBottom();
    return added;
}

ListView& ControlHost::AddListView(const TwipsRect& bounds) {
    return Add<Win32ListView>(bounds);
}

StatusBar& ControlHost::AddStatusBar() {
    auto& bar = Add<Win32StatusBar>();
    statusBars_.push_back(&bar);
    bar.Dock();
    return bar;
}

PictureBox& ControlHost::AddPictureBox(const TwipsRect& bounds) {
    auto& box = Add<Win32PictureBox>(bounds);
    pictureBoxes_.push_back(&box);
    return box;
}

Frame& ControlHost::AddFrame(std::string_view caption, const TwipsRect& bounds) {
    return Add<Win32Frame>(caption, bounds);
}

TabStrip& ControlHost::AddTabStrip(const std::vector<std::string>& tabs,
                                   const TwipsRect& bounds) {
    auto& strip = Add<Win32TabStrip>(tabs, bounds);
    tabStrips_.push_back(&strip);
    return strip;
}

CheckBox& ControlHost::AddCheckBox(std::string_view caption, const TwipsRect& bounds) {
    return Add<Win32CheckBox>(caption, bounds);
}

OptionButton& ControlHost::AddOptionButton(std::string_view caption, const TwipsRect& bounds) {
    auto& option = Add<Win32OptionButton>(
        caption, bounds, options_.empty(),
        [this](Win32OptionButton& chosen) { DeselectAllBut(chosen); });
    options_.push_back(&option);
    return option;
}

ListBox& ControlHost::AddListBox(const TwipsRect& bounds) { return Add<Win32ListBox>(bounds); }

ComboBox& ControlHost::AddComboBox(const TwipsRect& bounds) {
    return Add<Win32ComboBox>(bounds);
}

Button& ControlHost::AddButton(std::string_view caption, const TwipsRect& bounds) {
    return Add<Win32Button>(caption, bounds);
}

Label& ControlHost::AddLabel(std::string_view text, const TwipsRect& bounds,
                             const FontSpec& font, bool centred) {
    return Add<Win32Label>(text, bounds, font, centred);
}

void ControlHost::DeselectAllBut(Win32OptionButton& chosen) {
    for (Win32OptionButton* option : options_) {
        if (option != &chosen) option->SetMark(false);
    }
}

void ControlHost::LayoutDocked(int clientWidthPixels) {
    int top = 0;
    for (Win32PictureBox* box : pictureBoxes_) {
        if (box->Align() != 1) continue;
        box->DockAt(top, clientWidthPixels);
        top += box->HeightPixels();
    }
    for (Win32StatusBar* bar : statusBars_) bar->Dock();
}

void ControlHost::Rescale(UINT oldDpi) {
    for (auto& control : controls_) control->Rescale(oldDpi);
}

void ControlHost::DetachAll() {
    for (auto& control : controls_) control->Detach();
}

}  // namespace qov::win32::ui

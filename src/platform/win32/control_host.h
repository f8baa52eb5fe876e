#pragma once
// The Container side shared by forms, picture boxes and frames: creates the
// controls in one parent window, owns them, and keeps the container's option
// buttons one group.
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/forms.h"
#include "platform/win32/native_control.h"

namespace qov::win32::ui {

class Win32OptionButton;
class Win32PictureBox;
class Win32StatusBar;
class Win32TabStrip;

class ControlHost : public Container {
public:
    ControlHost(FormContext& context, HWND parent) : context_(context), parent_(parent) {}

    ListView& AddListView(const TwipsRect& bounds) override;
    StatusBar& AddStatusBar() override;
    PictureBox& AddPictureBox(const TwipsRect& bounds) override;
    Frame& AddFrame(std::string_view caption, const TwipsRect& bounds) override;
    TabStrip& AddTabStrip(const std::vector<std::string>& tabs,
                          const TwipsRect& bounds) override;
    CheckBox& AddCheckBox(std::string_view caption, const TwipsRect& bounds) override;
    OptionButton& AddOptionButton(std::string_view caption, const TwipsRect& bounds) override;
    ListBox& AddListBox(const TwipsRect& bounds) override;
    ComboBox& AddComboBox(const TwipsRect& bounds) override;
    Button& AddButton(std::string_view caption, const TwipsRect& bounds) override;
    Label& AddLabel(std::string_view text, const TwipsRect& bounds, const FontSpec& font,
                    bool centred) override;

    // Places the docked controls: top-aligned picture boxes in creation order
    // from the top edge, status bars at the bottom edge.
    void LayoutDocked(int clientWidthPixels);
    void DetachAll();
    void Rescale(UINT oldDpi);

private:
    template <typename T, typename... Args>
    T& Add(Args&&... args);
    void DeselectAllBut(Win32OptionButton& chosen);

    FormContext& context_;
    HWND parent_;
    std::vector<std::unique_ptr<NativeControl>> controls_;
    std::vector<Win32OptionButton*> options_;
    std::vector<Win32PictureBox*> pictureBoxes_;
    std::vector<Win32StatusBar*> statusBars_;
    std::vector<Win32TabStrip*> tabStrips_;
};

// Implements Container by handing every call to a ControlHost.
template <typename Base>
class HostedContainer : public Base {
public:
    using Base::Base;
    ListView& AddListView(const TwipsRect& b) override { return Host().AddListView(b); }
    StatusBar& AddStatusBar() override { return Host().AddStatusBar(); }
    PictureBox& AddPictureBox(const TwipsRect& b) override { return Host().AddPictureBox(b); }
    Frame& AddFrame(std::string_view caption, const TwipsRect& b) override {
        return Host().AddFrame(caption, b);
    }
    TabStrip& AddTabStrip(const std::vector<std::string>& tabs, const TwipsRect& b) override {
        return Host().AddTabStrip(tabs, b);
    }
    CheckBox& AddCheckBox(std::string_view caption, const TwipsRect& b) override {
        return Host().AddCheckBox(caption, b);
    }
    OptionButton& AddOptionButton(std::string_view caption, const TwipsRect& b) override {
        return Host().AddOptionButton(caption, b);
    }
    ListBox& AddListBox(const TwipsRect& b) override { return Host().AddListBox(b); }
    ComboBox& AddComboBox(const TwipsRect& b) override { return Host().AddComboBox(b); }
    Button& AddButton(std::string_view caption, const TwipsRect& b) override {
        return Host().AddButton(caption, b);
    }
    Label& AddLabel(std::string_view text, const TwipsRect& b, const FontSpec& font,
                    bool centred) override {
        return Host().AddLabel(text, b, font, centred);
    }

protected:
    virtual ControlHost& Host() = 0;
};

// The window class of picture boxes and frames; registered once per process.
extern const wchar_t kContainerClass[];
void RegisterContainerClass();

}  // namespace qov::win32::ui

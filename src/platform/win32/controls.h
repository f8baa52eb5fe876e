#pragma once
// The toolkit's simple controls: buttons, labels, lists, tabs, the status bar.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/win32/native_control.h"

namespace qov::win32::ui {

class Win32StatusBar final : public ControlBase<StatusBar> {
public:
    Win32StatusBar(FormContext& context, HWND parent);
    void SetSimpleText(std::string_view text) override;
    std::string SimpleText() const override { return text_; }
    TwipsRect BoundsImpl() const override;
    void Dock();  // the status bar places itself at the bottom on WM_SIZE
    void Detach() override;

private:
    std::string text_;
};

class Win32Button final : public ControlBase<Button> {
public:
    Win32Button(FormContext& context, HWND parent, std::string_view caption,
                const TwipsRect& bounds);
    void SetFont(const FontSpec& font) override;
    void OnCommand(WORD code) override;

private:
    unique_hfont font_;
};

class Win32CheckBox final : public ControlBase<CheckBox> {
public:
    Win32CheckBox(FormContext& context, HWND parent, std::string_view caption,
                  const TwipsRect& bounds);
    void SetChecked(bool checked) override;
    bool Checked() const override;
    void OnCommand(WORD code) override;
    void Detach() override;

private:
    bool checked_ = false;
};

class Win32OptionButton final : public ControlBase<OptionButton> {
public:
    // `firstOfGroup` starts the container's group of option buttons.
    Win32OptionButton(FormContext& context, HWND parent, std::string_view caption,
                      const TwipsRect& bounds, bool firstOfGroup,
                      std::function<void(Win32OptionButton&)> deselectOthers);
    void SetSelected(bool selected) override;
    bool Selected() const override;
    void OnCommand(WORD code) override;
    void Detach() override;

    // Sets this button's mark alone, leaving the group to the caller.
    void SetMark(bool selected);

private:
    bool selected_ = false;
    std::function<void(Win32OptionButton&)> deselectOthers_;
};

class Win32Label final : public ControlBase<Label> {
public:
    Win32Label(FormContext& context, HWND parent, std::string_view text,
               const TwipsRect& bounds, const FontSpec& font, bool centred);
    void SetText(std::string_view text) override;
    std::string Text() const override { return text_; }
    void Rescale(UINT oldDpi) override;

private:
    std::string text_;
    FontSpec spec_;
    unique_hfont font_;
};

class Win32ListBox final : public ControlBase<ListBox> {
public:
    Win32ListBox(FormContext& context, HWND parent, const TwipsRect& bounds);
    void AddItem(std::string_view text) override;
    void RemoveItem(int index) override;
    int ListCount() const override { return static_cast<int>(items_.size()); }
    std::string Item(int index) const override;
    int ListIndex() const override;
    void SetListIndex(int index) override;
    void Detach() override;

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

class Win32ComboBox final : public ControlBase<ComboBox> {
public:
    Win32ComboBox(FormContext& context, HWND parent, const TwipsRect& bounds);
    void Clear() override;
    void AddItem(std::string_view text) override;
    int ListCount() const override { return static_cast<int>(items_.size()); }
    std::string Item(int index) const override;
    std::string Text() const override;
    void SetText(std::string_view text) override;
    void Detach() override;

protected:
    int WindowHeight(int heightPixels) const override;

private:
    std::vector<std::string> items_;
    std::string text_;
};

class Win32TabStrip final : public ControlBase<TabStrip> {
public:
    Win32TabStrip(FormContext& context, HWND parent, const std::vector<std::string>& tabs,
                  const TwipsRect& bounds);
    int SelectedTab() const override;
    void SetSelectedTab(int tab) override;
    int TabCount() const override { return static_cast<int>(tabs_.size()); }
    std::string TabCaption(int tab) const override;
    LRESULT OnNotify(const NMHDR& header) override;
    void Detach() override;
    void MoveToBottom();

private:
    std::vector<std::string> tabs_;
    int selected_ = 1;
};

// Text of a control's window (edit fields, combo boxes).
std::string WindowText(HWND window);

}  // namespace qov::win32::ui

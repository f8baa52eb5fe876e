#pragma once
// In-memory versions of the small controls. Each holds its state, reads it
// back, and offers public helpers that act as the user would (Click, Type,
// ...). Setting a state from code raises no event, as with the native
// controls; only the user helpers raise events.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms.h"

namespace qov::sim {

// Visibility and bounds, shared by every control.
template <class Interface>
class SimControlBase : public Interface {
public:
    void SetVisible(bool visible) override { visible_ = visible; }
    bool Visible() const override { return visible_; }
    void SetBounds(const TwipsRect& bounds) override { bounds_ = bounds; }
    TwipsRect Bounds() const override { return bounds_; }

protected:
    explicit SimControlBase(const TwipsRect& bounds) : bounds_(bounds) {}

private:
    bool visible_ = true;
    TwipsRect bounds_;
};

// A countdown that makes the N-th next call of an operation fail.
class FailureInjection {
public:
    void FailAfter(int callsToSkip) { remaining_ = callsToSkip; }
    // Throws ToolkitError when this call is the one chosen to fail.
    void Check(const char* operation);

private:
    std::optional<int> remaining_;
};

class SimStatusBar : public SimControlBase<StatusBar> {
public:
    SimStatusBar() : SimControlBase({}) {}
    void SetSimpleText(std::string_view text) override;
    std::string SimpleText() const override { return text_; }

    int Writes() const { return writes_; }
    void ResetWrites() { writes_ = 0; }
    // The next SetSimpleText (after `callsToSkip` successful ones) throws.
    void FailNextSetSimpleText(int callsToSkip = 0) { failSetText_.FailAfter(callsToSkip); }

private:
    std::string text_;
    int writes_ = 0;
    FailureInjection failSetText_;
};

class SimButton : public SimControlBase<Button> {
public:
    SimButton(std::string_view caption, const TwipsRect& bounds)
        : SimControlBase(bounds), caption_(caption) {}
    const std::string& Caption() const { return caption_; }
    void SetFont(const FontSpec& font) override { font_ = font; }
    const FontSpec& Font() const { return font_; }
    void Click();  // raises onClick

private:
    std::string caption_;
    FontSpec font_;
};

class SimCheckBox : public SimControlBase<CheckBox> {
public:
    SimCheckBox(std::string_view caption, const TwipsRect& bounds)
        : SimControlBase(bounds), caption_(caption) {}
    void SetChecked(bool checked) override { checked_ = checked; }
    bool Checked() const override { return checked_; }
    const std::string& Caption() const { return caption_; }
    void Click();  // toggles, then raises onClick

private:
    std::string caption_;
    bool checked_ = false;
};

class SimOptionButton;

// The option buttons of one container.
struct OptionGroup {
    std::vector<SimOptionButton*> members;
};

class SimOptionButton : public SimControlBase<OptionButton> {
public:
    SimOptionButton(std::string_view caption, const TwipsRect& bounds, OptionGroup& group)
        : SimControlBase(bounds), caption_(caption), group_(group) {}
    void SetSelected(bool selected) override;
    bool Selected() const override { return selected_; }
    const std::string& Caption() const { return caption_; }
    void Click();  // selects it (deselecting the group), then raises onClick

private:
    std::string caption_;
    OptionGroup& group_;
    bool selected_ = false;
};

class SimLabel : public SimControlBase<Label> {
public:
    SimLabel(std::string_view text, const TwipsRect& bounds, const FontSpec& font, bool centred)
        : SimControlBase(bounds), text_(text), font_(font), centred_(centred) {}
    void SetText(std::string_view text) override { text_ = std::string(text); }
    std::string Text() const override { return text_; }
    const FontSpec& Font() const { return font_; }
    bool Centred() const { return centred_; }

private:
    std::string text_;
    FontSpec font_;
    bool centred_;
};

// Removing a line keeps the selection on the same line, as the native list
// box does: lines above it shift the index, removing it clears it.
class SimListBox : public SimControlBase<ListBox> {
public:
    explicit SimListBox(const TwipsRect& bounds) : SimControlBase(bounds) {}
    void AddItem(std::string_view text) override { items_.emplace_back(text); }
    void RemoveItem(int index) override;
    int ListCount() const override { return static_cast<int>(items_.size()); }
    std::string Item(int index) const override;
    int ListIndex() const override { return listIndex_; }
    void SetListIndex(int index) override;

    const std::vector<std::string>& Items() const { return items_; }
    void ClickItem(int index) { SetListIndex(index); }  // the user picks a line

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

class SimComboBox : public SimControlBase<ComboBox> {
public:
    explicit SimComboBox(const TwipsRect& bounds) : SimControlBase(bounds) {}
    void Clear() override;
    void AddItem(std::string_view text) override { items_.emplace_back(text); }
    int ListCount() const override { return static_cast<int>(items_.size()); }
    std::string Item(int index) const override;
    std::string Text() const override { return text_; }
    void SetText(std::string_view text) override { text_ = std::string(text); }

    const std::vector<std::string>& Items() const { return items_; }
    void Type(std::string_view text) { text_ = std::string(text); }  // replaces the field
    void ChooseItem(int index);  // picks a line of the drop-down list

private:
    std::vector<std::string> items_;
    std::string text_;
};

class SimTabStrip : public SimControlBase<TabStrip> {
public:
    SimTabStrip(const std::vector<std::string>& tabs, const TwipsRect& bounds)
        : SimControlBase(bounds), tabs_(tabs), selected_(tabs.empty() ? 0 : 1) {}
    int SelectedTab() const override { return selected_; }
    void SetSelectedTab(int tab) override;
    int TabCount() const override { return static_cast<int>(tabs_.size()); }
    std::string TabCaption(int tab) const override;
    void ClickTab(int tab);  // selects it, then raises onClick

private:
    std::vector<std::string> tabs_;
    int selected_;
};

class SimImageList : public ImageList {
public:
    explicit SimImageList(PictureSet pictures) : pictures_(pictures) {}
    int Count() const override { return pictures_ == PictureSet::ListRowIcons ? 4 : 16; }
    PictureSet Pictures() const { return pictures_; }

private:
    PictureSet pictures_;
};

// A timer ticks only through Fire(); it ticks only while enabled, with an
// interval above 0, and while its form is loaded.
class SimTimer : public Timer {
public:
    explicit SimTimer(int interval) : interval_(interval) {}
    void SetInterval(int milliseconds) override { interval_ = milliseconds; }
    int Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool Enabled() const override { return enabled_; }

    bool Fire();  // true when onTimer ran
    bool WouldTick() const { return alive_ && enabled_ && interval_ > 0; }
    void Stop() { alive_ = false; }  // the form was unloaded

private:
    int interval_;
    bool enabled_ = true;
    bool alive_ = true;
};

}  // namespace qov::sim

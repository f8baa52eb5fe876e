#include "platform/sim/sim_container.h"

namespace qov::sim {

template <class Base>
template <class T>
T& SimContainerBase<Base>::Adopt(std::unique_ptr<T> control, std::string_view caption) {
    T& result = *control;
    children_.push_back({std::move(control), std::string(caption)});
    return result;
}

template <class Base>
ListView& SimContainerBase<Base>::AddListView(const TwipsRect& bounds) {
    return Adopt(std::make_unique<SimListView>(bounds));
}

template <class Base>
StatusBar& SimContainerBase<Base>::AddStatusBar() {
    return Adopt(std::make_unique<SimStatusBar>());
}

template <class Base>
PictureBox& SimContainerBase<Base>::AddPictureBox(const TwipsRect& bounds) {
    return Adopt(std::make_unique<SimPictureBox>(bounds));
}

template <class Base>
Frame& SimContainerBase<Base>::AddFrame(std::string_view caption, const TwipsRect& bounds) {
    return Adopt(std::make_unique<SimFrame>(caption, bounds), caption);
}

template <class Base>
TabStrip& SimContainerBase<Base>::AddTabStrip(const std::vector<std::string>& tabs,
                                              const TwipsRect& bounds) {
    return Adopt(std::make_unique<SimTabStrip>(tabs, bounds));
}

template <class Base>
CheckBox& SimContainerBase<Base>::AddCheckBox(std::string_view caption,
                                              const TwipsRect& bounds) {
    return Adopt(std::make_unique<SimCheckBox>(caption, bounds), caption);
}

template <class Base>
OptionButton& SimContainerBase<Base>::AddOptionButton(std::string_view caption,
                                                      const TwipsRect& bounds) {
    auto& option = Adopt(std::make_unique<SimOptionButton>(caption, bounds, options_), caption);
    options_.members.push_back(&option);
    return option;
}

template <class Base>
ListBox& SimContainerBase<Base>::AddListBox(const TwipsRect& bounds) {
    return Adopt(std::make_unique<SimListBox>(bounds));
}

template <class Base>
ComboBox& SimContainerBase<Base>::AddComboBox(const TwipsRect& bounds) {
    return Adopt(std::make_unique<SimComboBox>(bounds));
}

template <class Base>
Button& SimContainerBase<Base>::AddButton(std::string_view caption, const TwipsRect& bounds) {
    return Adopt(std::make_unique<SimButton>(caption, bounds), caption);
}

template <class Base>
Label& SimContainerBase<Base>::AddLabel(std::string_view text, const TwipsRect& bounds,
                                        const FontSpec& font, bool centred) {
    return Adopt(std::make_unique<SimLabel>(text, bounds, font, centred), text);
}

template class SimContainerBase<Form>;
template class SimContainerBase<SimControlBase<PictureBox>>;
template class SimContainerBase<SimControlBase<Frame>>;

}  // namespace qov::sim

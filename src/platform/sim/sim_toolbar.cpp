#include "platform/sim/sim_toolbar.h"

#include <sstream>
#include <stdexcept>

#include "platform/sim/sim_toolkit.h"

namespace qov::sim {
namespace {

template <class T>
std::string Call(const char* name, const T& argument) {
    std::ostringstream text;
    text << std::boolalpha << name << '(' << argument << ')';
    return text.str();
}

}  // namespace

SimToolBar::SimToolBar(SimToolkit& toolkit) : toolkit_(toolkit) { toolkit_.AttachToolBar(*this); }

SimToolBar::~SimToolBar() { toolkit_.DetachToolBar(*this); }

void SimToolBar::SetTextAlignment(int alignment) { Record(Call("SetTextAlignment", alignment)); }

void SimToolBar::SetWrappable(bool wrappable) { Record(Call("SetWrappable", wrappable)); }

void SimToolBar::SetPictureBox(PictureBox& host) {
    host_ = &host;
    Record("SetPictureBox");
}

void SimToolBar::SetAlign(int align) { Record(Call("SetAlign", align)); }

void SimToolBar::SetImageList(ImageList& images) {
    images_ = &images;
    Record(Call("SetImageList", images.Count()));
}

void SimToolBar::SetHotImageList(ImageList& images) {
    hotImages_ = &images;
    Record(Call("SetHotImageList", images.Count()));
}

void SimToolBar::SetIndent(float indent) { Record(Call("SetIndent", indent)); }

void SimToolBar::SetStyle(int style) { Record(Call("SetStyle", style)); }

void SimToolBar::ButtonsAdd(std::string_view key, std::string_view tipHelp,
                            std::string_view caption, int style, std::int16_t pictureIndex) {
    buttons_.push_back({std::string(key), std::string(tipHelp), std::string(caption), style,
                        pictureIndex});
    Record(Call("ButtonsAdd", key));
}

bool SimToolBar::ClickButton(int index) {
    if (index < 0 || index >= ButtonsCount()) {
        throw std::out_of_range("no toolbar button at position " + std::to_string(index));
    }
    if (inClick_ || !onButtonClick) return false;
    inClick_ = true;
    try {
        onButtonClick(static_cast<std::int16_t>(index));
    } catch (...) {
        inClick_ = false;
        throw;
    }
    inClick_ = false;
    return true;
}

void SimToolBar::Record(std::string call) { calls_.push_back(std::move(call)); }

}  // namespace qov::sim

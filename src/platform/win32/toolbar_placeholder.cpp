// Temporary stand-in for the toolbar object: remembers its buttons and draws
// nothing.
#include <string>
#include <vector>

#include "platform/win32/native_handles.h"

namespace qov::win32 {
namespace {

class PlaceholderToolBar final : public ToolBar {
public:
    void SetTextAlignment(int) override {}
    void SetWrappable(bool) override {}
    void SetPictureBox(PictureBox&) override {}
    void SetAlign(int) override {}
    void SetImageList(ImageList&) override {}
    void SetHotImageList(ImageList&) override {}
    void SetIndent(float) override {}
    void SetStyle(int) override {}
    void ButtonsAdd(std::string_view key, std::string_view, std::string_view, int,
                    std::int16_t) override {
        keys_.emplace_back(key);
    }
    int ButtonsCount() const override { return static_cast<int>(keys_.size()); }

private:
    std::vector<std::string> keys_;
};

}  // namespace

std::unique_ptr<ToolBar> CreateToolBarObject() { return std::make_unique<PlaceholderToolBar>(); }

}  // namespace qov::win32

#pragma once
// A toolbar held in memory: it records how the program configured it and
// which buttons it added, and lets a test click a button.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms.h"

namespace qov::sim {

class SimToolkit;

struct ToolBarButton {
    std::string key;
    std::string tipHelp;
    std::string caption;
    int style = 0;
    std::int16_t pictureIndex = 0;
    bool operator==(const ToolBarButton&) const = default;
};

class SimToolBar : public ToolBar {
public:
    explicit SimToolBar(SimToolkit& toolkit);
    ~SimToolBar() override;
    SimToolBar(const SimToolBar&) = delete;
    SimToolBar& operator=(const SimToolBar&) = delete;

    void SetTextAlignment(int alignment) override;
    void SetWrappable(bool wrappable) override;
    void SetPictureBox(PictureBox& host) override;
    void SetAlign(int align) override;
    void SetImageList(ImageList& images) override;
    void SetHotImageList(ImageList& images) override;
    void SetIndent(float indent) override;
    void SetStyle(int style) override;
    void ButtonsAdd(std::string_view key, std::string_view tipHelp, std::string_view caption,
                    int style, std::int16_t pictureIndex) override;
    int ButtonsCount() const override { return static_cast<int>(buttons_.size()); }

    // ---- for tests -------------------------------------------------------------
    // Every call above in order, e.g. "SetTextAlignment(1)", "SetWrappable(true)",
    // "SetPictureBox", "SetAlign(1)", "SetImageList(16)" (the image count),
    // "SetHotImageList(16)", "SetIndent(2.5)", "SetStyle(1)", "ButtonsAdd(Key)".
    const std::vector<std::string>& Calls() const { return calls_; }
    const std::vector<ToolBarButton>& Buttons() const { return buttons_; }
    PictureBox* Host() const { return host_; }
    ImageList* Images() const { return images_; }
    ImageList* HotImages() const { return hotImages_; }

    // The user clicks the button at this 0-based position (separators
    // counted): raises onButtonClick. A click arriving while the previous
    // one is still being handled is dropped, as the real toolbar drops it.
    // Returns whether the event was raised; throws std::out_of_range for a
    // position outside the buttons.
    bool ClickButton(int index);

private:
    void Record(std::string call);

    SimToolkit& toolkit_;
    std::vector<std::string> calls_;
    std::vector<ToolBarButton> buttons_;
    PictureBox* host_ = nullptr;
    ImageList* images_ = nullptr;
    ImageList* hotImages_ = nullptr;
    bool inClick_ = false;
};

}  // namespace qov::sim

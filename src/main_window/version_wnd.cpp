#include "main_window/version_wnd.h"

#include <array>
#include <string>
#include <string_view>

#include "settings/hide_on_close_box.h"

namespace qov {

namespace {

// The box's layout, in twips. The address lines are kept short enough to fit
// their labels in 9 pt Arial bold.
struct LabelLine {
    std::string_view text;
    TwipsRect bounds;
    float points;
};

constexpr std::string_view kCaption = "QOV　＜バージョン情報＞";
constexpr int kClientWidth = 4680;
constexpr int kClientHeight = 2940;
constexpr std::string_view kFontFace = "Arial";

constexpr LabelLine kLabel1{"V.O.V", {120, 120, 4455, 375}, 15.75f};
constexpr std::array<LabelLine, 6> kLabel2{{
    {"For Windows 95/98", {1200, 480, 2175, 255}, 12.0f},
    {"Copyright (C) 1999-2026 Tamarind Desk", {240, 960, 4215, 255}, 9.0f},
    {"Written by Tamarind Desk", {840, 1200, 2895, 255}, 9.0f},
    {"Version 1.00(1999/11/28)", {1080, 1560, 2655, 255}, 11.25f},
    {"https://qov.tamarind.invalid/", {1080, 1920, 2535, 255}, 9.0f},
    {"qov@tamarind.invalid", {1200, 2160, 2295, 255}, 9.0f},
}};
constexpr std::string_view kCommand1Caption = "閉じる";
constexpr TwipsRect kCommand1{120, 2520, 4455, 375};


FontSpec BoldArial(float points) { return FontSpec{std::string(kFontFace), points, true}; }

Label& AddLine(Container& box, const LabelLine& line, bool centred) {
    return box.AddLabel(line.text, line.bounds, BoldArial(line.points), centred);
}

std::array<Label*, 6> AddMakerLines(Container& box) {
    std::array<Label*, 6> labels{};
    for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = &AddLine(box, kLabel2[i], false);
    return labels;
}

}  // namespace

VersionWnd::VersionWnd(Toolkit& toolkit)
    : form_(toolkit.CreateForm({std::string(kCaption), kClientWidth, kClientHeight,
                                    FormStyle::FixedSingle})),
      Label1(AddLine(*form_, kLabel1, true)),
      Label2(AddMakerLines(*form_)),
      Command1(form_->AddButton(kCommand1Caption, kCommand1)) {
    Command1.SetFont({"ＭＳ Ｐゴシック", 9, true});
    Command1.onClick = [this] { Command1_Click(); };
    HideOnCloseBox(*form_);
}

void VersionWnd::Command1_Click() { form_->Hide(); }

}  // namespace qov

// The program's pictures. They share one vocabulary so the toolbar reads at
// a glance: a small window (dark frame, blue title bar), green arrows for
// changes of size (up: maximise, down: minimise, both: restore, as on the
// old caption buttons), an eye for showing and hiding, a red cross for
// closing. A command for all windows is the single command's picture in
// front of a second window.
#include "platform/win32/pictures.h"

#include <functional>
#include <vector>

#include "platform/win32/native_handles.h"
#include "platform/win32/picture_canvas.h"

namespace qov::win32 {
namespace {

constexpr COLORREF kFrame = RGB(40, 58, 86);
constexpr COLORREF kTitle = RGB(52, 120, 214);
constexpr COLORREF kBody = RGB(255, 255, 255);
constexpr COLORREF kBackFrame = RGB(112, 128, 152);
constexpr COLORREF kBackTitle = RGB(150, 182, 226);
constexpr COLORREF kBackBody = RGB(226, 232, 240);
constexpr COLORREF kGhost = RGB(120, 120, 120);
constexpr COLORREF kAction = RGB(28, 140, 58);
constexpr COLORREF kArrow = RGB(34, 60, 104);
constexpr COLORREF kClose = RGB(210, 42, 36);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kPupil = RGB(30, 80, 170);
constexpr COLORREF kListRow = RGB(170, 180, 196);

using Painter = std::function<void(PictureCanvas&)>;

void Window(PictureCanvas& c, float l, float t, float r, float b) {
    c.Fill(l, t, r, b, kFrame);
    c.Fill(l + 1, t + 1, r - 1, t + 3, kTitle);
    c.Fill(l + 1, t + 3, r - 1, b - 1, kBody);
}

void BackWindow(PictureCanvas& c, float l, float t, float r, float b) {
    c.Fill(l, t, r, b, kBackFrame);
    c.Fill(l + 1, t + 1, r - 1, t + 3, kBackTitle);
    c.Fill(l + 1, t + 3, r - 1, b - 1, kBackBody);
}

// A window that is there but not shown: a dashed outline and title line.
void GhostWindow(PictureCanvas& c, float l, float t, float r, float b) {
    c.DashedFrame(l, t, r, b, kGhost, 1);
    c.DashedFrame(l, t, r, t + 3, kGhost, 1);
}

void MinimisedBar(PictureCanvas& c, float l, float t, float r, float b) {
    c.Fill(l, t, r, b, kFrame);
    c.Fill(l + 1, t + 1, r - 1, b - 1, kTitle);
}

// A vertical arrow from `tail` to `tip` (either direction) around x = cx.
void VerticalArrow(PictureCanvas& c, float cx, float tip, float tail, float head, float shaft,
                   COLORREF colour) {
    const float dir = tail > tip ? 1.0f : -1.0f;
    const float base = tip + dir * head;
    c.Polygon({{cx, tip}, {cx + head, base}, {cx - head, base}}, colour);
    c.Fill(cx - shaft / 2, dir > 0 ? base : tail, cx + shaft / 2, dir > 0 ? tail : base + 1,
           colour);
}

void Eye(PictureCanvas& c, float l, float t, float r, float b) {
    c.Ellipse(l, t, r, b, kWhite, kFrame);
    const float cx = (l + r) / 2, cy = (t + b) / 2, pupil = (b - t) * 0.32f;
    c.Ellipse(cx - pupil, cy - pupil, cx + pupil, cy + pupil, kPupil, kPupil);
}

// --- Single-window commands ------------------------------------------------

void Restore(PictureCanvas& c) {
    Window(c, 1, 1, 15, 15);
    VerticalArrow(c, 8, 4, 8.5f, 3, 2, kAction);
    VerticalArrow(c, 8, 13, 8.5f, 3, 2, kAction);
}

void Move(PictureCanvas& c) {
    c.Fill(3, 7, 13, 9, kArrow);
    c.Fill(7, 3, 9, 13, kArrow);
    c.Polygon({{8, 0}, {11.5f, 3.5f}, {4.5f, 3.5f}}, kArrow);
    c.Polygon({{8, 15.5f}, {11.5f, 12}, {4.5f, 12}}, kArrow);
    c.Polygon({{0, 8}, {3.5f, 4.5f}, {3.5f, 11.5f}}, kArrow);
    c.Polygon({{15.5f, 8}, {12, 4.5f}, {12, 11.5f}}, kArrow);
}

void Resize(PictureCanvas& c) {
    c.Line({4.5f, 4.5f}, {11, 11}, kArrow, 2);
    c.Polygon({{1, 1}, {8, 1}, {1, 8}}, kArrow);
    c.Polygon({{15, 15}, {8, 15}, {15, 8}}, kArrow);
}

void Minimise(PictureCanvas& c) {
    MinimisedBar(c, 2, 12, 14, 16);
    VerticalArrow(c, 8, 10.5f, 1, 4.5f, 3, kAction);
}

void Maximise(PictureCanvas& c) {
    Window(c, 0, 0, 16, 16);
    VerticalArrow(c, 8, 4, 14, 4.5f, 3, kAction);
}

void Hide(PictureCanvas& c) {
    GhostWindow(c, 0, 0, 14, 12);
    Eye(c, 4, 8, 16, 16);
    c.Line({5.5f, 15}, {14.5f, 9}, kClose, 1);
}

void Show(PictureCanvas& c) {
    Window(c, 0, 0, 14, 12);
    Eye(c, 4, 8, 16, 16);
}

void Close(PictureCanvas& c) {
    Window(c, 0, 0, 14, 12);
    // A white rim keeps the cross apart from the window's frame.
    c.Line({8.5f, 8.5f}, {14.5f, 14.5f}, kWhite, 3.5f);
    c.Line({8.5f, 14.5f}, {14.5f, 8.5f}, kWhite, 3.5f);
    c.Line({8.5f, 8.5f}, {14.5f, 14.5f}, kClose, 2);
    c.Line({8.5f, 14.5f}, {14.5f, 8.5f}, kClose, 2);
}

void Blank(PictureCanvas&) {}

// The single command in front of a second window, up and to the right.
Painter ForAll(void (*single)(PictureCanvas&)) {
    return [single](PictureCanvas& c) {
        BackWindow(c, 5, 0, 16, 10);
        c.SetBox(0, 3.5f, 12.5f);
        single(c);
        c.ResetBox();
    };
}

// --- List row icons ----------------------------------------------------------

void RowMaximised(PictureCanvas& c) { Window(c, 0, 0, 16, 16); }
void RowMinimised(PictureCanvas& c) { MinimisedBar(c, 1, 11, 15, 16); }
void RowNormal(PictureCanvas& c) { Window(c, 2, 2, 14, 14); }
void RowHidden(PictureCanvas& c) { GhostWindow(c, 2, 2, 14, 14); }

void ProgramIcon(PictureCanvas& c) {
    Window(c, 0, 1, 16, 15);
    for (float y : {5.0f, 8.0f, 11.0f}) {
        c.Fill(3, y, 5, y + 2, kTitle);
        c.Fill(6, y + 0.5f, 13, y + 1.5f, kListRow);
    }
}

std::vector<Painter> PaintersFor(PictureSet pictures) {
    if (pictures == PictureSet::ListRowIcons)
        return {RowMaximised, RowMinimised, RowNormal, RowHidden};
    return {Restore,           Move,          Resize,           Minimise,
            Maximise,          Hide,          Show,             Close,
            ForAll(Restore),   Blank,         Blank,            ForAll(Minimise),
            ForAll(Maximise),  ForAll(Hide),  ForAll(Show),     ForAll(Close)};
}

}  // namespace

int PictureSizeForDpi(UINT dpi) {
    return MulDiv(16, static_cast<int>(dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI),
                  USER_DEFAULT_SCREEN_DPI);
}

HIMAGELIST CreatePictureImageList(PictureSet pictures, UINT dpi) {
    const int size = PictureSizeForDpi(dpi);
    const std::vector<Painter> painters = PaintersFor(pictures);
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK,
                                       static_cast<int>(painters.size()), 0);
    if (list == nullptr) return nullptr;
    for (const Painter& paint : painters) {
        PictureCanvas canvas(size);
        paint(canvas);
        HBITMAP colour = nullptr, mask = nullptr;
        canvas.TakeBitmaps(colour, mask);
        ImageList_Add(list, colour, mask);
        DeleteObject(colour);
        DeleteObject(mask);
    }
    return list;
}

HICON CreateProgramIcon(int pixels) {
    PictureCanvas canvas(pixels);
    ProgramIcon(canvas);
    HBITMAP colour = nullptr, mask = nullptr;
    canvas.TakeBitmaps(colour, mask);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return icon;
}

}  // namespace qov::win32

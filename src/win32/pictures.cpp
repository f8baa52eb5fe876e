// The program's pictures. They share one vocabulary so the toolbar reads at
// a glance: a small window (dark frame, blue title bar), green arrows for
// changes of size (up: maximise, down: minimise, both: restore, as on the
// old caption buttons), an eye for showing and hiding, a red cross for
// closing. A command for all windows is the single command's picture in
// front of a second window.
//
// Pictures are designed on a 16 x 16 grid of units and drawn at any pixel
// size into a 32-bit surface; anything not painted stays transparent.
#include "win32/pictures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <vector>

namespace qov::win32 {
namespace {

struct UnitPoint {
    float x;
    float y;
};

// Unpainted pixels keep this colour (magenta, as a DIB pixel) until
// TakeBitmaps makes them transparent; no picture uses it.
constexpr DWORD kKeyPixel = 0x00FF00FF;

// Selects a GDI object into a DC for one drawing call, and frees it after.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(SelectObject(dc, object)) {}
    ~Selected() {
        SelectObject(dc_, old_);
        DeleteObject(object_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ old_;
};

// A square drawing surface. SetBox maps the 16-unit grid onto a part of the
// square, which is how the "all windows" pictures put a single picture in
// front of a second window. Rectangles are half-open: right and bottom are
// not painted.
class PictureCanvas {
public:
    explicit PictureCanvas(int pixels) : pixels_(pixels), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = pixels;
        info.bmiHeader.biHeight = -pixels;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<DWORD*>(bits);
        oldBitmap_ = SelectObject(dc_.get(), bitmap_.get());
        if (bits_ != nullptr) std::fill_n(bits_, pixels * pixels, kKeyPixel);
        ResetBox();
    }
    ~PictureCanvas() {
        if (oldBitmap_ != nullptr) SelectObject(dc_.get(), oldBitmap_);
    }
    // False when GDI could not make the surface (out of GDI objects).
    bool Ready() const { return bits_ != nullptr; }
    PictureCanvas(const PictureCanvas&) = delete;
    PictureCanvas& operator=(const PictureCanvas&) = delete;

    // Maps the grid onto the square (x, y) .. (x + size, y + size), in
    // units of the whole picture.
    void SetBox(float x, float y, float size) {
        const float pixelsPerUnit = static_cast<float>(pixels_) / 16.0f;
        originX_ = x * pixelsPerUnit;
        originY_ = y * pixelsPerUnit;
        scale_ = size / 16.0f * pixelsPerUnit;
    }
    void ResetBox() { SetBox(0, 0, 16); }

    void Fill(float left, float top, float right, float bottom, COLORREF colour) {
        const RECT rect{X(left), Y(top), X(right), Y(bottom)};
        const UniqueBrush brush{CreateSolidBrush(colour)};
        FillRect(dc_.get(), &rect, brush.get());
    }

    // A dashed outline one pixel wide, dashes and gaps `dash` units long.
    void DashedFrame(float left, float top, float right, float bottom, COLORREF colour,
                     float dash) {
        const int l = X(left), t = Y(top), r = X(right) - 1, b = Y(bottom) - 1;
        const int period = std::max(2, Stroke(dash) * 2);
        auto dot = [&](int x, int y, int step) {
            if (step % period < period / 2) SetPixelV(dc_.get(), x, y, colour);
        };
        // Walk the outline once, so the dashes run on around the corners.
        int step = 0;
        for (int x = l; x < r; ++x) dot(x, t, step++);
        for (int y = t; y < b; ++y) dot(r, y, step++);
        for (int x = r; x > l; --x) dot(x, b, step++);
        for (int y = b; y > t; --y) dot(l, y, step++);
    }

    void Polygon(std::initializer_list<UnitPoint> points, COLORREF fill) {
        std::vector<POINT> corners;
        for (const UnitPoint& p : points) corners.push_back({X(p.x), Y(p.y)});
        Selected brush(dc_.get(), CreateSolidBrush(fill));
        Selected pen(dc_.get(), CreatePen(PS_SOLID, 1, fill));
        ::Polygon(dc_.get(), corners.data(), static_cast<int>(corners.size()));
    }

    void Ellipse(float left, float top, float right, float bottom, COLORREF fill,
                 COLORREF outline) {
        Selected brush(dc_.get(), CreateSolidBrush(fill));
        Selected pen(dc_.get(), CreatePen(PS_SOLID, 1, outline));
        ::Ellipse(dc_.get(), X(left), Y(top), X(right), Y(bottom));
    }

    void Line(UnitPoint from, UnitPoint to, COLORREF colour, float width) {
        LOGBRUSH brush{BS_SOLID, colour, 0};
        Selected pen(dc_.get(),
                     ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER,
                                  static_cast<DWORD>(Stroke(width)), &brush, 0, nullptr));
        MoveToEx(dc_.get(), X(from.x), Y(from.y), nullptr);
        LineTo(dc_.get(), X(to.x), Y(to.y));
    }

    // The colour bitmap (painted pixels opaque, the rest transparent black)
    // and the matching mask (set where transparent). Ends the drawing.
    void TakeBitmaps(UniqueBitmap& colour, UniqueBitmap& mask) {
        GdiFlush();
        // Mask rows are padded to 16 bits.
        const int stride = (pixels_ + 15) / 16 * 2;
        std::vector<BYTE> maskBits(static_cast<size_t>(stride * pixels_), 0);
        for (int y = 0; y < pixels_; ++y) {
            for (int x = 0; x < pixels_; ++x) {
                DWORD& pixel = bits_[y * pixels_ + x];
                if ((pixel & 0x00FFFFFF) == kKeyPixel) {
                    pixel = 0;
                    maskBits[static_cast<size_t>(y * stride + x / 8)] |=
                        static_cast<BYTE>(0x80 >> (x % 8));
                } else {
                    pixel |= 0xFF000000;
                }
            }
        }
        SelectObject(dc_.get(), oldBitmap_);
        oldBitmap_ = nullptr;
        colour = std::move(bitmap_);
        mask.reset(CreateBitmap(pixels_, pixels_, 1, 1, maskBits.data()));
    }

private:
    int X(float unit) const { return static_cast<int>(std::lround(originX_ + unit * scale_)); }
    int Y(float unit) const { return static_cast<int>(std::lround(originY_ + unit * scale_)); }
    int Stroke(float width) const {
        return std::max(1, static_cast<int>(std::lround(width * scale_)));
    }

    int pixels_;
    UniqueDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    DWORD* bits_ = nullptr;
    float originX_ = 0;
    float originY_ = 0;
    float scale_ = 1;
};

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

// --- List row icons and the program icon ---------------------------------------

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

UniqueImageList PaintedList(const std::vector<Painter>& painters, UINT dpi) {
    const int size = PictureSizeForDpi(dpi);
    UniqueImageList list{ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK,
                                          static_cast<int>(painters.size()), 0)};
    if (!list) return list;
    for (const Painter& paint : painters) {
        PictureCanvas canvas(size);
        if (!canvas.Ready()) return {};
        paint(canvas);
        UniqueBitmap colour, mask;
        canvas.TakeBitmaps(colour, mask);
        ImageList_Add(list.get(), colour.get(), mask.get());
    }
    return list;
}

}  // namespace

int PictureSizeForDpi(UINT dpi) {
    return MulDiv(16, static_cast<int>(dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI),
                  USER_DEFAULT_SCREEN_DPI);
}

UniqueImageList CreateRowIconList(UINT dpi) {
    return PaintedList({RowMaximised, RowMinimised, RowNormal, RowHidden}, dpi);
}

UniqueImageList CreateToolbarPictureList(UINT dpi) {
    return PaintedList({Restore, Move, Resize, Minimise, Maximise, Hide, Show, Close,
                        ForAll(Restore), Blank, Blank, ForAll(Minimise), ForAll(Maximise),
                        ForAll(Hide), ForAll(Show), ForAll(Close)},
                       dpi);
}

UniqueIcon CreateProgramIcon(int pixels) {
    PictureCanvas canvas(pixels);
    if (!canvas.Ready()) return {};
    ProgramIcon(canvas);
    UniqueBitmap colour, mask;
    canvas.TakeBitmaps(colour, mask);
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    return UniqueIcon{CreateIconIndirect(&info)};
}

}  // namespace qov::win32

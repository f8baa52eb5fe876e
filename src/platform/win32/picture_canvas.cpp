#include "platform/win32/picture_canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qov::win32 {
namespace {

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

}  // namespace

PictureCanvas::PictureCanvas(int pixels) : pixels_(pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels;
    info.bmiHeader.biHeight = -pixels;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    if (bits_ != nullptr) std::fill_n(bits_, pixels * pixels, kKeyPixel);
    ResetBox();
}

PictureCanvas::~PictureCanvas() {
    if (oldBitmap_ != nullptr) SelectObject(dc_, oldBitmap_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void PictureCanvas::SetBox(float x, float y, float size) {
    const float pixelsPerUnit = static_cast<float>(pixels_) / 16.0f;
    originX_ = x * pixelsPerUnit;
    originY_ = y * pixelsPerUnit;
    scale_ = size / 16.0f * pixelsPerUnit;
}

int PictureCanvas::X(float unit) const { return static_cast<int>(std::lround(originX_ + unit * scale_)); }
int PictureCanvas::Y(float unit) const { return static_cast<int>(std::lround(originY_ + unit * scale_)); }
int PictureCanvas::Stroke(float width) const {
    return std::max(1, static_cast<int>(std::lround(width * scale_)));
}

void PictureCanvas::Fill(float left, float top, float right, float bottom, COLORREF colour) {
    const RECT rect{X(left), Y(top), X(right), Y(bottom)};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &rect, brush);
    DeleteObject(brush);
}

void PictureCanvas::Frame(float left, float top, float right, float bottom, COLORREF colour,
                          float width) {
    const int l = X(left), t = Y(top), r = X(right), b = Y(bottom);
    const int w = Stroke(width);
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT edges[] = {{l, t, r, t + w}, {l, b - w, r, b}, {l, t, l + w, b}, {r - w, t, r, b}};
    for (const RECT& edge : edges) FillRect(dc_, &edge, brush);
    DeleteObject(brush);
}

void PictureCanvas::DashedFrame(float left, float top, float right, float bottom,
                                COLORREF colour, float dash) {
    const int l = X(left), t = Y(top), r = X(right) - 1, b = Y(bottom) - 1;
    const int period = std::max(2, Stroke(dash) * 2);
    auto dot = [&](int x, int y, int step) {
        if (step % period < period / 2) SetPixelV(dc_, x, y, colour);
    };
    // Walk the outline once, so the dashes run on around the corners.
    int step = 0;
    for (int x = l; x < r; ++x) dot(x, t, step++);
    for (int y = t; y < b; ++y) dot(r, y, step++);
    for (int x = r; x > l; --x) dot(x, b, step++);
    for (int y = b; y > t; --y) dot(l, y, step++);
}

void PictureCanvas::Polygon(std::initializer_list<UnitPoint> points, COLORREF fill) {
    std::vector<POINT> corners;
    for (const UnitPoint& p : points) corners.push_back({X(p.x), Y(p.y)});
    Selected brush(dc_, CreateSolidBrush(fill));
    Selected pen(dc_, CreatePen(PS_SOLID, 1, fill));
    ::Polygon(dc_, corners.data(), static_cast<int>(corners.size()));
}

void PictureCanvas::Ellipse(float left, float top, float right, float bottom, COLORREF fill,
                            COLORREF outline) {
    Selected brush(dc_, CreateSolidBrush(fill));
    Selected pen(dc_, CreatePen(PS_SOLID, 1, outline));
    ::Ellipse(dc_, X(left), Y(top), X(right), Y(bottom));
}

void PictureCanvas::Line(UnitPoint from, UnitPoint to, COLORREF colour, float width) {
    LOGBRUSH brush{BS_SOLID, colour, 0};
    Selected pen(dc_, ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER,
                                   static_cast<DWORD>(Stroke(width)), &brush, 0, nullptr));
    MoveToEx(dc_, X(from.x), Y(from.y), nullptr);
    LineTo(dc_, X(to.x), Y(to.y));
}

void PictureCanvas::TakeBitmaps(HBITMAP& colour, HBITMAP& mask) {
    GdiFlush();
    // Mask rows are padded to 16 bits; a set bit is a transparent pixel.
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
    SelectObject(dc_, oldBitmap_);
    oldBitmap_ = nullptr;
    colour = bitmap_;
    bitmap_ = nullptr;
    mask = CreateBitmap(pixels_, pixels_, 1, 1, maskBits.data());
}

}  // namespace qov::win32

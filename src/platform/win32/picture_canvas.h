#pragma once
// A square 32-bit drawing surface for the program's pictures. Pictures are
// designed on a 16 x 16 grid of units and drawn at any pixel size; a
// picture can also be drawn into a part of the square (SetBox), which is
// how the "all windows" pictures put a single picture in front of a second
// window. Anything not painted stays transparent.
#include <windows.h>

#include <initializer_list>

namespace qov::win32 {

struct UnitPoint {
    float x;
    float y;
};

class PictureCanvas {
public:
    explicit PictureCanvas(int pixels);
    ~PictureCanvas();
    PictureCanvas(const PictureCanvas&) = delete;
    PictureCanvas& operator=(const PictureCanvas&) = delete;

    int Pixels() const { return pixels_; }

    // Maps the 16-unit grid onto the square (x, y) .. (x + size, y + size),
    // given in units of the whole picture.
    void SetBox(float x, float y, float size);
    void ResetBox() { SetBox(0, 0, 16); }

    // Rectangles are half-open: right and bottom are not painted.
    void Fill(float left, float top, float right, float bottom, COLORREF colour);
    // An outline `width` units wide (at least one pixel) inside the rectangle.
    void Frame(float left, float top, float right, float bottom, COLORREF colour,
               float width = 1);
    // A dashed outline one pixel wide, dashes and gaps `dash` units long.
    void DashedFrame(float left, float top, float right, float bottom, COLORREF colour,
                     float dash);
    void Polygon(std::initializer_list<UnitPoint> points, COLORREF fill);
    void Ellipse(float left, float top, float right, float bottom, COLORREF fill,
                 COLORREF outline);
    void Line(UnitPoint from, UnitPoint to, COLORREF colour, float width);

    // Turns the surface into the colour bitmap (alpha: painted pixels opaque)
    // and the matching mask (set where transparent). The caller owns both.
    void TakeBitmaps(HBITMAP& colour, HBITMAP& mask);

private:
    int X(float unit) const;
    int Y(float unit) const;
    int Stroke(float width) const;

    int pixels_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    DWORD* bits_ = nullptr;
    float originX_ = 0;
    float originY_ = 0;
    float scale_ = 1;
};

}  // namespace qov::win32

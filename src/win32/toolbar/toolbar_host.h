#pragma once
// What the toolbar object needs of the window it lives in. The toolbar is a
// child of the host window; the object docks and sizes the host around it.
// Sizes and positions are in twips, in the scale of the host's parent.
#include <windows.h>

namespace qov::win32::toolbar {

class ToolBarHost {
public:
    virtual ~ToolBarHost() = default;

    virtual HWND hwnd() const = 0;

    // 0 none, 1 top, 2 bottom, 3 left, 4 right.
    virtual int Align() const = 0;
    virtual void SetAlign(int align) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;

    virtual float Width() const = 0;
    virtual void SetWidth(float twips) = 0;
    virtual float Height() const = 0;
    virtual void SetHeight(float twips) = 0;
    virtual float Top() const = 0;
    virtual void SetTop(float twips) = 0;
    virtual float Left() const = 0;
    virtual void SetLeft(float twips) = 0;

    // 0 no border; the toolbar draws its own edge.
    virtual void SetBorderStyle(int borderStyle) = 0;
    virtual void SetTabStop(bool tabStop) = 0;

    // Converts pixels of the host's window to the parent's twips.
    virtual float TwipsPerPixelX() const = 0;
    virtual float TwipsPerPixelY() const = 0;
};

}  // namespace qov::win32::toolbar

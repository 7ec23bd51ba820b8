#pragma once
// Outlines of a sheet's parts on a device: lengths in thousandths of an inch
// from the sheet's corner, each edge rounded once from the sheet's own
// lengths (not truncated part by part) so every line lies on its edge. Drawn
// with the DC's pen and brush.
#include <windows.h>

class DeviceOutlines
{
public:
    // `corner`: where the sheet's top-left corner lies on the device, in its pixels.
    DeviceOutlines(HDC dc, POINT corner, SIZE dpi) : m_dc(dc), m_corner(corner), m_dpi(dpi) {}

    int X(double thousandths) const;
    int Y(double thousandths) const;
    void Box(double left, double top, double right, double bottom) const;
    void Circle(double left, double top, double right, double bottom) const;
    void Vertical(double x, double top, double bottom) const;

private:
    RECT Bounds(double left, double top, double right, double bottom) const;

    HDC m_dc;
    POINT m_corner;
    SIZE m_dpi;
};

#include "printing/DeviceOutlines.h"

#include <cmath>

int DeviceOutlines::X(double thousandths) const
{
    return m_corner.x + static_cast<int>(std::lround(thousandths * m_dpi.cx / 1000.0));
}

int DeviceOutlines::Y(double thousandths) const
{
    return m_corner.y + static_cast<int>(std::lround(thousandths * m_dpi.cy / 1000.0));
}

RECT DeviceOutlines::Bounds(double left, double top, double right, double bottom) const
{
    // A rectangle or ellipse leaves out its right and bottom pixel: one more
    // puts those lines on the edges too.
    return RECT{X(left), Y(top), X(right) + 1, Y(bottom) + 1};
}

void DeviceOutlines::Box(double left, double top, double right, double bottom) const
{
    const RECT box = Bounds(left, top, right, bottom);
    ::Rectangle(m_dc, box.left, box.top, box.right, box.bottom);
}

void DeviceOutlines::Circle(double left, double top, double right, double bottom) const
{
    const RECT box = Bounds(left, top, right, bottom);
    ::Ellipse(m_dc, box.left, box.top, box.right, box.bottom);
}

void DeviceOutlines::Vertical(double x, double top, double bottom) const
{
    ::MoveToEx(m_dc, X(x), Y(top), nullptr);
    ::LineTo(m_dc, X(x), Y(bottom));
}

#pragma once

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "view/Quorbel6View.h"
#include "label/TextLayout.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

// A view without a window and a white 32-bit memory bitmap to draw into, with
// black text. Label units map to pixels at zoom 10 through the screen scale.
class TextDrawingTest : public ::testing::Test
{
protected:
    static constexpr int kSize = 700;

    void SetUp() override
    {
        m_dc.CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kSize;
        info.bmiHeader.biHeight = -kSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<DWORD*>(bits);
        ASSERT_NE(m_bits, nullptr);
        m_selected.emplace(m_dc, m_bitmap);
        Clear();
        ::SetBkMode(m_dc, TRANSPARENT);
        ::SetTextColor(m_dc, RGB(0, 0, 0));
        m_view.Model().Shown().zoom = 10;
        m_view.UpdateScale();
    }
    void TearDown() override { m_selected.reset(); }

    void Clear()
    {
        ::GdiFlush();
        std::memset(m_bits, 0xFF, sizeof(DWORD) * kSize * kSize);
    }

    static LOGFONTA Font(int tenths, int escapement = 0, bool italic = false)
    {
        LOGFONTA font{};
        font.lfHeight = tenths;
        font.lfWeight = FW_NORMAL;
        font.lfItalic = italic ? 1 : 0;
        font.lfEscapement = escapement;
        font.lfCharSet = DEFAULT_CHARSET;
        std::strcpy(font.lfFaceName, "Tahoma");
        return font;
    }

    // Label units (thousandths of an inch) to pixels at the view's zoom.
    int Px(int length) const { return static_cast<int>(m_view.Model().Shown().zoom * 0.1 * length / TextLayout::ScreenScale()); }

    bool Ink(int x, int y) const { return (m_bits[y * kSize + x] & 0xFFFFFF) != 0xFFFFFF; }

    // The bounding box of every drawn pixel; empty when nothing was drawn.
    RECT InkBox() const
    {
        ::GdiFlush();
        RECT box{kSize, kSize, -1, -1};
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (Ink(x, y)) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        if (box.right < 0)
            return RECT{};
        return box;
    }
    // The bounding box of the ink inside a band of rows.
    RECT InkBoxOfRows(int top, int bottom) const
    {
        ::GdiFlush();
        RECT box{kSize, kSize, -1, -1};
        for (int y = std::max(top, 0); y < std::min(bottom, kSize); ++y)
            for (int x = 0; x < kSize; ++x)
                if (Ink(x, y)) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        if (box.right < 0)
            return RECT{};
        return box;
    }

    // The object's box in pixels, grown by `slack` on each side.
    RECT BoxPx(int left, int top, int width, int height, int slack = 1) const
    {
        return RECT{Px(left) - slack, Px(top) - slack, Px(left + width) + slack, Px(top + height) + slack};
    }
    static bool Inside(const RECT& inner, const RECT& outer)
    {
        return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
               inner.bottom <= outer.bottom;
    }

    std::vector<int> m_errors;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_errors.push_back(report.number); }};
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    DWORD* m_bits = nullptr;
    std::optional<CSelectGuard> m_selected;
    CQuorbel6View m_view;
};

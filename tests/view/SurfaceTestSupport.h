#pragma once
// A view without a window, its surface bitmaps made, at 96 dpi and zoom 10
// (one pixel per 10.42 thousandths of an inch): front cover 480 x 240 pixels,
// discs of 432 with a hole of 144; its settings attached and its error reports
// collected.
#include "document/AppSettings.h"
#include "framework/ErrorReport.h"
#include "view/Quorbel6View.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

class SurfaceTest : public ::testing::Test
{
protected:
    explicit SurfaceTest(const char* layout) : m_layout(layout) {}

    void SetUp() override
    {
        m_view.AttachAppSettings(&m_settings);
        m_view.PrepareBitmaps();
        ASSERT_TRUE(m_view.m_surfaceBitmaps.IsValid());
        m_view.m_nScreenDpi = 96;
        m_view.Model().Shown().zoom = 10;
        m_view.Model().Shown().layout = m_layout;
        m_view.Model().Shown().page = "2";
        m_view.Model().Placement().frontCoverPage = "2";
        m_view.Model().Placement().backCoverPage = "3";
        m_view.Model().Placement().disc1Page = "1";
        m_view.Model().Placement().disc2Page = "1";
        m_view.Model().Placement().geometry.front = FrontCoverGeometry{1000, 1000, 5000, 2500};
        m_view.Model().Placement().geometry.back = BackCoverGeometry{1000, 1000, 6000, 4500, 250};
        m_view.Model().Placement().geometry.disc1 = DiscGeometry{1000, 1000, 1500, 4500, 100};
        m_view.Model().Placement().geometry.disc2 = DiscGeometry{1000, 6000, 1500, 4500, 100};
        m_view.UpdateScale();
        m_view.m_bGeometryReady = 1;
    }

    // An object's rows: its item type (with `choices`) and then `rows`.
    void AddObject(const char* name, const char* type, const char* choices,
                   std::vector<std::pair<const char*, const char*>> rows)
    {
        int after = static_cast<int>(rows.size());
        m_view.Model().AppendRow(PropertyEntry{name, "Item Type", type, 1, "", choices, after});
        for (const auto& [key, value] : rows)
            m_view.Model().AppendRow(PropertyEntry{name, key, value, 1, "EDIT", "", --after});
    }
    void AddObject(const char* name, const char* type, std::vector<std::pair<const char*, const char*>> rows)
    {
        AddObject(name, type, "", std::move(rows));
    }

    COLORREF Pixel(int surface, int x, int y) const { return m_view.m_surfaceBitmaps.GetPixel(surface, x, y); }

    void Draw()
    {
        m_view.DrawSurface(CQuorbel6View::kDrawClear);
        m_view.DrawSurface(CQuorbel6View::kDrawFull);
    }

    const char* m_layout;
    CAppSettings m_settings;
    CQuorbel6View m_view;
    std::vector<int> m_errors;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_errors.push_back(report.number); }};
};

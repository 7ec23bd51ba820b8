#pragma once
// A label view in a real window, showing a new layout made from the built-in
// papers at zoom 10, and the helpers that answer the dialogs its commands open.
#include "app/Quorbel6App.h"
#include "document/AppSettings.h"
#include "framework/Conversions.h"
#include "framework/ErrorReport.h"
#include "framework/Wnd.h"
#include "label/LabelRows.h"
#include "resources/resource.h"
#include "view/Quorbel6View.h"

#include "support/DialogAnswers.h"
#include "support/InsertionPoint.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class ObjectsOnLabelTest : public ::testing::Test
{
protected:
    void MakeLabel(const char* layout)
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Label", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 800, nullptr, nullptr));
        m_view.m_bAutoDelete = false;
        ASSERT_TRUE(m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 960, 740}, &m_parent, 1));
        m_view.AttachAppSettings(&m_settings);
        m_view.PrepareBitmaps();
        m_view.LoadLabelTemplates();
        m_view.Model().Shown().layout = layout;
        m_view.CreateSurfaceProperties();
        m_view.LoadLayoutGeometry();
        Show("Front Cover");
    }

    void TearDown() override
    {
        if (m_view.m_hWnd)
            m_view.DestroyWindow();
        if (m_parent.m_hWnd)
            m_parent.DestroyWindow();
    }

    void Show(const char* surface) { m_view.ShowSurface(surface); }

    // Sends a menu command to the view, as the menu does.
    void Command(UINT id) { ::SendMessageA(m_view.m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // Where the context menu would place an insertion centred on a label point.
    void InsertAt(POINT labelPoint, const char* part) { PointInsertionAt(m_view, labelPoint, part); }

    // An object's box in thousandths of an inch.
    RECT BoxOf(const CString& name) const
    {
        const auto length = [&](const char* key) { return LabelRows::ReadLength(Value(name, key)); };
        return RECT{length("Left"), length("Top"), length("Left") + length("Width"),
                    length("Top") + length("Height")};
    }
    CString Value(const CString& name, const char* key) const { return m_view.GetPropertyValue(name, key); }
    CString Choices(const CString& name, const char* key) const
    {
        const int row = m_view.FindPropertyRow(name, key);
        return row < 0 ? CString("<none>") : m_view.Model().Row(row).m_strChoices;
    }
    int ObjectCount() const
    {
        int count = 0;
        for (int row = 0; row < m_view.Model().RowCount(); row = m_view.NextObjectRow(row))
            ++count;
        return count;
    }

    // The program's message box takes its text from the application object.
    CQuorbel6App m_app;
    std::vector<int> m_errors;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_errors.push_back(report.number); }};
    CAppSettings m_settings;
    CWnd m_parent;
    CQuorbel6View m_view;
};

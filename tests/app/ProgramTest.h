#pragma once
// A test of the whole program, started for each test as a user starts it,
// with its label shown and its main frame at hand for the menu commands.
#include "RunningApp.h"

#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include <gtest/gtest.h>

class ProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_view = m_program.RunToLabel();
        ASSERT_NE(m_view, nullptr);
        m_frame = m_program.Frame();
        ASSERT_NE(m_frame, nullptr);
    }

    // A menu command, as the menu bar or an accelerator sends it to the frame.
    void Command(UINT id) { m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    RunningApp m_program;
    CQuorbel6View* m_view = nullptr;
    CMainFrame* m_frame = nullptr;
};

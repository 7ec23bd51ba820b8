#pragma once
// What the program's own message box (CAppMessageDlg) shows next. The
// application object holds the one request; the box finds it there, so
// callers anywhere fill it without knowing the application's class.

#include "framework/String.h"

#include <windows.h>

class CMessageBoxRequest {
public:
    virtual ~CMessageBoxRequest() = default;

    CString m_strMessageText;
    int m_nMessageIcon = 0;        // CAppMessageDlg::IconKind
    CString m_strMessageButtons;   // captions, each closed by a backtick
    BYTE m_bMessageCheckBox = 0;   // 1: offer "Do not show this message again."
    CString m_strMessageCaption;   // empty for the program's own title
};

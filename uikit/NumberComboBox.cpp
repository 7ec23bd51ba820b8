#include "uikit/NumberComboBox.h"

#include "framework/ErrorReport.h"

IMPLEMENT_DYNAMIC(CNumberComboBox, CComboBox)

namespace {

bool PassesFilter(WPARAM key)
{
    return key == VK_BACK || key == VK_LEFT || key == VK_RIGHT || (key >= '0' && key <= '9');
}

}  // namespace

BOOL CNumberComboBox::PreTranslateMessage(MSG* msg)
{
    return Guarded(310, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        if (msg->message != WM_KEYDOWN)
            return CComboBox::PreTranslateMessage(msg);
        if (msg->wParam == VK_RETURN && m_pTarget)
            m_pTarget->OnTrackCountChange();
        if (!PassesFilter(msg->wParam))
            return TRUE;
        return CComboBox::PreTranslateMessage(msg);
    });
}

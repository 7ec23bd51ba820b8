#include "framework/ClipboardOwner.h"

CClipboardOwner::CClipboardOwner(HWND owner, int attempts, DWORD pauseMs)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (::OpenClipboard(owner)) {
            m_open = true;
            return;
        }
        if (attempt + 1 < attempts)
            ::Sleep(pauseMs);
    }
}

CClipboardOwner::~CClipboardOwner()
{
    if (m_open)
        ::CloseClipboard();
}

#include "uikit/ShowLastError.h"

#include "framework/MessageBox.h"
#include "framework/String.h"

#include <windows.h>

namespace {

// Frees what FormatMessage allocated.
struct LocalBuffer {
    char* text = nullptr;
    ~LocalBuffer()
    {
        if (text)
            ::LocalFree(text);
    }
};

}  // namespace

void ShowLastError()
{
    const DWORD code = ::GetLastError();
    if (code == 0)
        return;
    LocalBuffer buffer;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer.text), 0, nullptr);
    CString text;
    if (length > 0 && buffer.text)
        text = buffer.text;
    else
        text.Format("Error message 0x%lx not found", static_cast<unsigned long>(code));
    ShowMessageBox(nullptr, text, "Error", MB_OK | MB_ICONINFORMATION);
}

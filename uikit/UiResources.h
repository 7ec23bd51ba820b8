#pragma once
// What the program's controls and dialogs take from the application object:
// its user-interface fonts and its menu images. The application implements
// this; a control finds it with UiResources() and draws with the system's
// defaults when there is none (a control in a test, say).

#include "framework/ImageList.h"

#include <windows.h>

class CUiResources {
public:
    virtual ~CUiResources() = default;

    // The user-interface font, scaled for the screen resolution when
    // `scaled`, else at its nominal 8.5 points; null until it is made.
    virtual HFONT UiFont(bool scaled) const = 0;
    // The menu and tool images, 16 x 16 (empty until they are loaded).
    virtual const CImageList& MenuImages() const = 0;
    // Windows 95 reads bitmap resources as device-dependent bitmaps only.
    virtual bool IsWindows95() const = 0;
};

// The running application's resources; null without them.
CUiResources* UiResources();

#pragma once
// CPictureStatic: a static on the panel background. A centred or right-aligned
// one shows one of two pictures instead of its text (the picture selector
// chooses); a left-aligned one draws its text, unclipped, in its own font.

#include "framework/ImageList.h"
#include "framework/Static.h"

class CPictureStatic : public CStatic {
    DECLARE_DYNAMIC(CPictureStatic)

public:
    CPictureStatic();

    // true: picture A (bitmap 346, 91 x 36); false: picture B (bitmap 347, 98 x 30).
    bool m_bPictureSelector = false;

protected:
    void OnPaint() override;

private:
    CImageList m_pictureA;
    CImageList m_pictureB;
};

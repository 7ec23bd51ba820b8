#pragma once
// CTrackHeaderCtrl: the track list's column header. Its right end is
// repainted in the button face with a shadow pixel pair at the bottom, so the
// header blends into the list beside it.

#include "framework/HeaderCtrl.h"

class CTrackHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CTrackHeaderCtrl)

public:
    CTrackHeaderCtrl() = default;

protected:
    void OnPaint() override;
};

#pragma once
// CPaintListCtrl: a list control that, while disabled, shows only the panel
// background instead of its rows.

#include "framework/ListCtrl.h"

class CPaintListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CPaintListCtrl)

public:
    CPaintListCtrl() = default;

protected:
    void OnPaint() override;
};

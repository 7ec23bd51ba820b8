#pragma once
// CNumberComboBox: a combo box for a count. Only digits of the main keyboard,
// Backspace, Left and Right get through to it; Enter applies the value through
// the target its owner hands it and goes no further.

#include "framework/ComboBox.h"

// Who applies the value when Enter is pressed in the box.
class CNumberComboTarget {
public:
    virtual ~CNumberComboTarget() = default;
    virtual void OnTrackCountChange() = 0;
};

class CNumberComboBox : public CComboBox {
    DECLARE_DYNAMIC(CNumberComboBox)

public:
    CNumberComboBox() = default;

    // Not owned; may be null (Enter is then only swallowed).
    void SetTarget(CNumberComboTarget* target) { m_pTarget = target; }

    // Key-downs reach the box's edit field first; this filters them.
    BOOL PreTranslateMessage(MSG* msg) override;

private:
    CNumberComboTarget* m_pTarget = nullptr;
};

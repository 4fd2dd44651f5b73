// Owner-drawn two-state check button: checked, unchecked and disabled
// bitmaps, no caption. The owner toggles it on BN_CLICKED.
#pragma once

#include "StateBitmaps.h"
#include "framework/Wnd.h"

class CSkinCheckButton : public fw::CWnd {
public:
    void SetCheckBitmaps(HMODULE module, UINT unchecked, UINT checked, UINT disabled, int dpi = 96);
    void SetCheck(bool checked);
    bool GetCheck() const { return m_bChecked; }

protected:
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

private:
    CStateBitmaps m_bitmaps;
    bool m_bChecked = false;
};

// The about dialog: a captionless skin with the version drawn into it once,
// an OK and a close button, dragged by its top band. Both buttons and Enter
// end it with IDOK, Escape with IDCANCEL.
#pragma once

#include "DragTracker.h"
#include "SkinButton.h"
#include "SkinFont.h"
#include "SkinImageSet.h"
#include "framework/Dialog.h"

#include <memory>

class CVersionInfoDlg : public fw::CDialog {
public:
    explicit CVersionInfoDlg(HWND parent = nullptr);

    // The version the dialog shows, whatever the program file says.
    static const char kVersionText[];

protected:
    void DeclareControls() override;
    BOOL OnInitDialog() override;
    bool OnPaint() override;
    bool OnEraseBackground(HDC dc) override;
    bool OnLButtonDown(POINT point, UINT keys) override;
    bool OnMouseMove(POINT point, UINT keys) override;
    bool OnLButtonUp(POINT point, UINT keys) override;
    bool OnButtonClicked(int id) override;

private:
    CSkinButton m_btnClose;
    CSkinButton m_btnOK;
    std::unique_ptr<CSkinImageSet> m_pSkin;
    std::unique_ptr<CDragTracker> m_pDrag;
    std::unique_ptr<CSkinFont> m_pFont;
};

// A captionless dialog is dragged by this band at its top.
constexpr int kDragBandHeight = 30;

// The main menu window: a captionless skinned dialog with a minimise and a
// close button above the movie area. Runs modally for the program's life.
#pragma once

#include "DragTracker.h"
#include "framework/Dialog.h"
#include "ui/SkinButton.h"
#include "ui/SkinImageSet.h"

#include <memory>

class CPortalDlg : public fw::CDialog {
public:
    CPortalDlg();
    ~CPortalDlg() override;

protected:
    void DeclareControls() override;
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void PaintSkin(HDC dc);

    CSkinButton m_btnMinimize;
    CSkinButton m_btnClose;
    HICON m_hIcon = nullptr;
    std::unique_ptr<CSkinImageSet> m_pSkin;
    std::unique_ptr<CDragTracker> m_drag;
};

// The about dialog: a captionless skin with the version drawn into it once,
// an OK and a close button, dragged by its top band. Both buttons and Enter
// end it with IDOK, Escape with IDCANCEL.
#pragma once

#include "SkinButton.h"
#include "SkinFont.h"
#include "SkinWindow.h"

class CVersionInfoDlg : public CSkinWindow {
public:
    explicit CVersionInfoDlg(HWND parent = nullptr);

    // The version the dialog shows, whatever the program file says.
    static const char kVersionText[];

protected:
    void DeclareControls() override;
    BOOL OnInitDialog() override;
    bool OnButtonClicked(int id) override;
    void OnScaleChanged() override;

private:
    // The skin with its texts, the buttons and their places at the
    // window's scale.
    void LayOut();

    CSkinButton m_btnClose;
    CSkinButton m_btnOK;
    CSkinFont m_font{10};
};

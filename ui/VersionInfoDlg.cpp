#include "VersionInfoDlg.h"

#include "resources/LumbraIds.h"
#include "support/ResourceLibrary.h"

const char CVersionInfoDlg::kVersionText[] = "1.7.60417.1";

CVersionInfoDlg::CVersionInfoDlg(HWND parent) : CSkinWindow(IDD_ABOUT, parent, kDragBandHeight) {}

void CVersionInfoDlg::DeclareControls()
{
    BindControl(IDC_CLOSE, m_btnClose);
    BindControl(IDOK, m_btnOK);
}

BOOL CVersionInfoDlg::OnInitDialog()
{
    HideFromTaskbar();
    LoadSkin(IDB_ABOUT_SKIN);
    std::string label = g_pResourceLibrary ? g_pResourceLibrary->LoadText(IDS_ABOUT_VERSION_LABEL) : std::string();
    Skin().DrawLabelTransparent(m_hWnd, label.c_str(), 168, 82, 340, 12, &m_font, 0, 0);
    Skin().DrawLabelTransparent(m_hWnd, kVersionText, 269, 82, 340, 12, &m_font, 0, 0);

    HMODULE library = g_pResourceLibrary ? g_pResourceLibrary->GetHandle() : nullptr;
    m_btnOK.SetBitmaps(library, IDB_PUSH_NORMAL, IDB_PUSH_PRESSED, IDB_PUSH_FOCUS, IDB_PUSH_DISABLED, IDB_PUSH_HOVER);
    m_btnClose.SetBitmaps(library, IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_FOCUS, IDB_CLOSE_DISABLED,
                          IDB_CLOSE_HOVER);
    NameControl(m_btnClose, IDS_CLOSE_NAME, "Close");
    m_btnOK.SetCaption(g_pResourceLibrary ? g_pResourceLibrary->LoadText(IDS_ABOUT_OK) : std::string(), kPushCaption);

    ::SetWindowPos(m_btnClose.GetSafeHwnd(), nullptr, 570, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetWindowPos(m_btnOK.GetSafeHwnd(), nullptr, 489, 236, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetFocus(m_btnOK.GetSafeHwnd());

    FitToSkin();
    ShowInFront();
    return TRUE;
}

bool CVersionInfoDlg::OnButtonClicked(int id)
{
    if (id == IDC_CLOSE) {
        OnOK();
        return true;
    }
    return fw::CDialog::OnButtonClicked(id);
}

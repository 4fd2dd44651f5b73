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
    LayOut();
    ::SetFocus(m_btnOK.GetSafeHwnd());
    ShowInFront();
    return TRUE;
}

void CVersionInfoDlg::OnScaleChanged()
{
    LayOut();
}

void CVersionInfoDlg::LayOut()
{
    LoadSkin(IDB_ABOUT_SKIN);
    m_font = CSkinFont(10, Dpi());
    std::string label = g_pResourceLibrary ? g_pResourceLibrary->LoadText(IDS_ABOUT_VERSION_LABEL) : std::string();
    Skin().DrawLabelTransparent(m_hWnd, label.c_str(), Px(168), Px(82), Px(340), Px(12), &m_font, 0, 0);
    Skin().DrawLabelTransparent(m_hWnd, kVersionText, Px(269), Px(82), Px(340), Px(12), &m_font, 0, 0);
    m_btnOK.SetBitmaps(Library(), IDB_PUSH_NORMAL, IDB_PUSH_PRESSED, IDB_PUSH_FOCUS, IDB_PUSH_DISABLED, IDB_PUSH_HOVER,
                       Dpi());
    m_btnClose.SetBitmaps(Library(), IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_FOCUS, IDB_CLOSE_DISABLED,
                          IDB_CLOSE_HOVER, Dpi());
    NameControl(m_btnClose, IDS_CLOSE_NAME, "Close");
    m_btnOK.SetCaption(g_pResourceLibrary ? g_pResourceLibrary->LoadText(IDS_ABOUT_OK) : std::string(), kPushCaption,
                       Dpi());
    PlaceControl(m_btnClose, 570, 6);
    PlaceControl(m_btnOK, 489, 236);
    FitToSkin();
}

bool CVersionInfoDlg::OnButtonClicked(int id)
{
    if (id == IDC_CLOSE) {
        OnOK();
        return true;
    }
    return fw::CDialog::OnButtonClicked(id);
}

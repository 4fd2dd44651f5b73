#include "SettingsDlg.h"

#include "SettingsRules.h"
#include "resources/LumbraIds.h"
#include "support/ResourceLibrary.h"
#include "ui/VersionInfoDlg.h"

namespace {
const COLORREF kHeadingBack = 0xFFFFFF;
const COLORREF kListBack = 0xF4F4F4;

std::string Text(UINT id)
{
    return g_pResourceLibrary ? g_pResourceLibrary->LoadText(id) : std::string();
}
} // namespace

CSettingsDlg::CSettingsDlg(HWND parent) : CSkinWindow(IDD_SETTINGS, parent, kDragBandHeight)
{
    // The template's list view; the first call also loads the library.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
}

CSettingsDlg::~CSettingsDlg() = default;

void CSettingsDlg::DeclareControls()
{
    BindControl(IDC_SETTINGS_CLOSE, m_btnClose);
    BindControl(IDOK, m_btnOK);
    BindControl(IDCANCEL, m_btnCancel);
    BindControl(IDC_XP_WIZARD, m_chkXpWizard);
    BindControl(IDC_XP_WIZARD_LABEL, m_btnXpWizardLabel);
    BindControl(IDC_VERSION, m_btnVersion);
    BindControl(IDC_UP, m_btnUp);
    BindControl(IDC_DOWN, m_btnDown);
    BindControl(IDC_AUTOSTART, m_chkAutoStart);
    BindControl(IDC_AUTOSTART_LABEL, m_btnAutoStartLabel);
    BindControl(IDC_APP_LIST, m_list);
}

std::unique_ptr<CAppCatalog> CSettingsDlg::NewCatalog()
{
    return std::make_unique<CAppCatalog>();
}

BOOL CSettingsDlg::OnInitDialog()
{
    InitSkin();
    LoadStartOptions();
    FillAppList();
    TestAutoPlayAccess();
    // Cancel looks focused, so it has the keyboard focus too: Enter right
    // after opening cancels.
    ::SetFocus(m_btnCancel.GetSafeHwnd());
    return FALSE;
}

void CSettingsDlg::InitSkin()
{
    HideFromTaskbar();
    LayOut();
    NameControl(m_btnClose, IDS_CLOSE_NAME, "Close");
    // The boxes take their labels' names, the list the heading's.
    NameControl(m_chkAutoStart, IDS_SETTINGS_AUTOSTART, "");
    NameControl(m_chkXpWizard, IDS_SETTINGS_XPWIZARD, "");
    NameControl(m_list, IDS_SETTINGS_HEADING, "");
    ShowInFront();
}

void CSettingsDlg::OnScaleChanged()
{
    LayOut();
    ::SendMessageA(m_list.GetSafeHwnd(), LVM_SETCOLUMNWIDTH, 0, ListColumnWidth());
}

void CSettingsDlg::LayOut()
{
    const int dpi = Dpi();
    LoadSkin(IDB_SETTINGS_SKIN);
    m_font = CSkinFont(10, dpi);
    Skin().DrawLabel(m_hWnd, Text(IDS_SETTINGS_HEADING).c_str(), Px(36), Px(88), Px(200), Px(12), &m_font, 0,
                     kHeadingBack, 0);
    HMODULE library = Library();
    m_btnClose.SetBitmaps(library, IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_FOCUS, IDB_CLOSE_DISABLED,
                          IDB_CLOSE_HOVER, dpi);
    for (CSkinButton* button : {&m_btnOK, &m_btnCancel, &m_btnUp, &m_btnDown})
        button->SetBitmaps(library, IDB_PUSH_NORMAL, IDB_PUSH_PRESSED, IDB_PUSH_FOCUS, IDB_PUSH_DISABLED,
                           IDB_PUSH_HOVER, dpi);
    m_btnVersion.SetBitmaps(library, IDB_VERSION_NORMAL, IDB_VERSION_PRESSED, IDB_VERSION_FOCUS, IDB_VERSION_DISABLED,
                            IDB_VERSION_HOVER, dpi);
    m_btnAutoStartLabel.SetBitmaps(library, IDB_AUTOSTART_LABEL_NORMAL, IDB_AUTOSTART_LABEL_PRESSED,
                                   IDB_AUTOSTART_LABEL_FOCUS, IDB_AUTOSTART_LABEL_DISABLED, 0, dpi);
    m_btnXpWizardLabel.SetBitmaps(library, IDB_XP_WIZARD_LABEL_NORMAL, IDB_XP_WIZARD_LABEL_PRESSED,
                                  IDB_XP_WIZARD_LABEL_FOCUS, IDB_XP_WIZARD_LABEL_DISABLED, 0, dpi);
    m_btnOK.SetCaption(Text(IDS_SETTINGS_OK), kPushCaption, dpi);
    m_btnCancel.SetCaption(Text(IDS_SETTINGS_CANCEL), kPushCaption, dpi);
    m_btnVersion.SetCaption(Text(IDS_SETTINGS_VERSION), kPushCaption, dpi);
    m_btnUp.SetCaption(Text(IDS_SETTINGS_UP), kPushCaption, dpi);
    m_btnDown.SetCaption(Text(IDS_SETTINGS_DOWN), kPushCaption, dpi);
    m_btnAutoStartLabel.SetCaption(Text(IDS_SETTINGS_AUTOSTART), kLabelCaption, dpi);
    m_btnXpWizardLabel.SetCaption(Text(IDS_SETTINGS_XPWIZARD), kLabelCaption, dpi);
    m_chkAutoStart.SetCheckBitmaps(library, IDB_CHECK_UNCHECKED, IDB_CHECK_CHECKED, IDB_CHECK_DISABLED, dpi);
    m_chkXpWizard.SetCheckBitmaps(library, IDB_CHECK_UNCHECKED, IDB_CHECK_CHECKED, IDB_CHECK_DISABLED, dpi);
    ::MoveWindow(m_list.GetSafeHwnd(), Px(42), Px(114), Px(396), Px(154), TRUE);
    m_list.SetDpi(dpi);
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetHandle()), TRUE);
    ::SendMessageA(m_list.GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetHandle()), TRUE);
    // Each control goes to the top of the z-order in turn, which leaves the
    // tab order Version, OK, Cancel, auto-start label and box, list, Down, Up.
    const struct {
        fw::CWnd& control;
        int x, y;
    } places[] = {
        {m_chkXpWizard, 25, 320}, {m_btnXpWizardLabel, 45, 320}, {m_btnUp, 347, 278},           {m_btnDown, 247, 278},
        {m_list, 42, 113},        {m_chkAutoStart, 25, 50},      {m_btnAutoStartLabel, 45, 50}, {m_btnCancel, 369, 384},
        {m_btnOK, 269, 384},      {m_btnVersion, 17, 384},       {m_btnClose, 450, 4}};
    for (const auto& place : places)
        PlaceControl(place.control, place.x, place.y, true);
    FitToSkin();
}

int CSettingsDlg::ListColumnWidth() const
{
    RECT client{};
    ::GetClientRect(m_list.GetSafeHwnd(), &client);
    return client.right + Px(20);
}

void CSettingsDlg::FillAppList()
{
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "APP", LVCFMT_LEFT, ListColumnWidth());
    m_list.InsertColumn(1, "DLL", LVCFMT_LEFT, 1);
    ::ShowScrollBar(m_list.GetSafeHwnd(), SB_HORZ, FALSE);
    m_list.SetBkColor(kListBack);

    m_pCatalog = NewCatalog();
    if (m_pCatalog) {
        // Still answering other programs between plug-ins, so that a long
        // discovery does not look like a frozen menu.
        m_pCatalog->Refresh([](const CAppCatalog::Step&) {
            fw::AnswerSentMessages();
            return true;
        });
        m_pCatalog->ApplyOrder("Sort");
        m_pCatalog->SaveOrder("Sort");
        for (const std::string& id : m_pCatalog->Entries()) {
            std::unique_ptr<CAppRecord> record = m_pCatalog->LoadEntry(id);
            if (!record) {
                m_unlisted.push_back(id);
                continue;
            }
            int row = m_list.InsertRow(m_list.GetItemCount(), settings::StripNameMarkup(record->Name()));
            m_list.SetItemText(row, 1, id);
            if (!catalog::Contains(m_pCatalog->Hidden(), id))
                m_list.SetRowCheck(row, true);
        }
        ::SetFocus(m_list.GetSafeHwnd());
        m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    }
    ::SendMessageA(m_list.GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetHandle()), TRUE);
}

void CSettingsDlg::OnOK()
{
    HWND focus = ::GetFocus();
    if (focus == m_btnCancel.GetSafeHwnd()) {
        OnCancel();
        return;
    }
    if (focus == m_btnVersion.GetSafeHwnd()) {
        ShowAbout();
        return;
    }
    SaveStartOptions();
    SaveAppList();
    fw::CDialog::OnOK();
}

void CSettingsDlg::SaveAppList()
{
    if (!m_pCatalog)
        return;
    const catalog::IdList& hiddenBefore = m_pCatalog->Hidden();
    catalog::IdList rows;
    catalog::IdList hidden;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        rows.push_back(m_list.GetItemText(row, 1));
        if (!m_list.GetCheck(row))
            hidden.push_back(rows.back());
    }
    // A plug-in that failed to load this time goes back after the entry it
    // followed when the dialog opened, and keeps its choice.
    for (const std::string& id : m_unlisted)
        if (catalog::Contains(hiddenBefore, id))
            hidden.push_back(id);
    m_pCatalog->ReplaceLists(catalog::KeepInStoredPlaces(rows, m_pCatalog->Entries(), m_unlisted), std::move(hidden));
    m_pCatalog->SaveOrder("Sort");
}

void CSettingsDlg::MoveSelectionUp()
{
    std::vector<int> selected = m_list.GetSelectedRows();
    if (selected.empty())
        return;
    m_list.MoveRows(settings::MoveUpMoves(selected));
    m_list.EnsureVisible(selected.front() - 1, false);
}

void CSettingsDlg::MoveSelectionDown()
{
    std::vector<int> selected = m_list.GetSelectedRows();
    if (selected.empty())
        return;
    m_list.MoveRows(settings::MoveDownMoves(selected, m_list.GetItemCount()));
    m_list.EnsureVisible(selected.back() + 1, false);
}

void CSettingsDlg::OnListClick(POINT click)
{
    // The release that ended a drag is no click on the check boxes.
    if (m_list.IsEndingDrag())
        return;
    // Where the click happened, not where the cursor is by now: it may have
    // moved on, or its position may not have reached this process yet.
    ::ClientToScreen(m_list.GetSafeHwnd(), &click);
    RECT list{};
    ::GetWindowRect(m_list.GetSafeHwnd(), &list);
    m_list.ToggleSelectedChecks(click.x - list.left);
}

void CSettingsDlg::ToggleAutoStart()
{
    m_chkAutoStart.SetCheck(!m_chkAutoStart.GetCheck());
}

void CSettingsDlg::ShowAbout()
{
    CVersionInfoDlg about(m_hWnd);
    about.DoModal();
}

bool CSettingsDlg::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_VERSION:
        ShowAbout();
        return true;
    case IDC_SETTINGS_CLOSE:
        OnOK();
        return true;
    case IDC_AUTOSTART:
    case IDC_AUTOSTART_LABEL:
        ToggleAutoStart();
        return true;
    case IDC_XP_WIZARD:
    case IDC_XP_WIZARD_LABEL:
        ToggleXpWizard();
        return true;
    case IDC_UP:
        MoveSelectionUp();
        return true;
    case IDC_DOWN:
        MoveSelectionDown();
        return true;
    default:
        return fw::CDialog::OnButtonClicked(id);
    }
}

bool CSettingsDlg::OnNotify(int id, NMHDR& header, LRESULT& result)
{
    // The list reports a click with the point it happened at.
    if (id != IDC_APP_LIST || header.code != NM_CLICK || header.hwndFrom != m_list.GetSafeHwnd())
        return false;
    OnListClick(reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction);
    result = 0;
    return true;
}

bool CSettingsDlg::OnShowWindow(bool, UINT)
{
    ::ShowScrollBar(m_list.GetSafeHwnd(), SB_HORZ, FALSE);
    return false;
}

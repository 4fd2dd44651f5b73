// The settings dialog: which suite applications the menu shows and in which
// order (the application list), whether the menu starts by itself, and on
// Windows XP the AutoPlay cancel entries. Works on a catalog of its own; OK
// stores the order, the hidden entries and the start options and ends with
// IDOK, after which the menu is rebuilt. Opening it already stores the
// catalog's normalised order.
#pragma once

#include "AppListCtrl.h"
#include "catalog/AppCatalog.h"
#include "ui/SkinButton.h"
#include "ui/SkinCheckButton.h"
#include "ui/SkinFont.h"
#include "ui/SkinWindow.h"

#include <memory>
#include <string>

class CSettingsDlg : public CSkinWindow {
public:
    explicit CSettingsDlg(HWND parent = nullptr);
    ~CSettingsDlg() override;

    // The Windows XP AutoPlay key and its three marker names.
    static const char kCancelAutoplayKey[];
    static const char* const kMarkerNames[3];

protected:
    void DeclareControls() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    bool OnButtonClicked(int id) override;
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override;
    bool OnShowWindow(bool shown, UINT status) override;

    // A new catalog of the installed applications; tests point it elsewhere.
    virtual std::unique_ptr<CAppCatalog> NewCatalog();

    void InitSkin();
    // The skin, the buttons, their captions and places, and the list's
    // font at the window's scale.
    void LayOut();
    void OnScaleChanged() override;
    // The name column reaches past the list's right edge, so no part of a
    // row is left blank.
    int ListColumnWidth() const;
    void FillAppList();
    void SaveAppList();
    void MoveSelectionUp();
    void MoveSelectionDown();
    void OnListClick(POINT click);
    void ToggleAutoStart();
    void ShowAbout();

    // Start options and the AutoPlay entries (StartOptions.cpp).
    void TestAutoPlayAccess();
    void LoadStartOptions();
    void ToggleXpWizard();
    void SaveStartOptions();

    CSkinButton m_btnClose;
    CSkinButton m_btnOK;
    CSkinButton m_btnCancel;
    CSkinCheckButton m_chkXpWizard;
    CSkinButton m_btnXpWizardLabel;
    CSkinButton m_btnVersion;
    CSkinButton m_btnUp;
    CSkinButton m_btnDown;
    CSkinCheckButton m_chkAutoStart;
    CSkinButton m_btnAutoStartLabel;
    CAppListCtrl m_list;
    std::unique_ptr<CAppCatalog> m_pCatalog;
    bool m_bAutoPlayWritable = false;
    CSkinFont m_font{10};

private:
    // Entries whose record could not be loaded when the dialog opened: no
    // row, but their place in the order and their hidden state are kept.
    catalog::IdList m_unlisted;
};

// The main menu window: a captionless skinned dialog that hosts the menu
// movie, builds the menu from the catalog, starts applications through their
// plug-ins, obeys the suite's posted messages and locks itself while the
// copy tool runs. Runs modally for the program's whole life.
#pragma once

#include "catalog/AppCatalog.h"
#include "framework/Dialog.h"
#include "framework/Handle.h"
#include "player/MoviePlayer.h"
#include "player/NativeMenuPlayer.h"
#include "player/ShockwaveFlash.h"
#include "ui/DragTracker.h"
#include "ui/SkinButton.h"
#include "ui/SkinImageSet.h"

#include <memory>
#include <string>

class CPortalDlg : public fw::CDialog {
public:
    CPortalDlg();
    ~CPortalDlg() override;

    void RefreshMenu();
    void StepMenuUp();
    void StepMenuDown();
    void EnableLaunching();
    void DisableLaunching();

    void OnFSCommand(const std::string& command, const std::string& args);
    void LaunchEntry(std::string entryId);
    void RunCopyTool();
    void PrepareEntries();
    void OpenSettings();

    bool PreTranslateMessage(MSG* msg) override;

    bool IsLaunchEnabled() const { return m_bLaunchEnabled; }
    const std::string& NewFolder() const { return m_strNewFolder; }
    const std::string& DocumentPath() const { return m_strXmlPath; }
    const CAppCatalog* Catalog() const { return m_pCatalog.get(); }

protected:
    void DeclareControls() override;
    BOOL OnInitDialog() override;

    // The window's own messages: the skin, dragging, the wheel, the copy-tool
    // poll, the two buttons, and the icon while dragged minimised.
    bool OnPaint() override;
    bool OnEraseBackground(HDC dc) override;
    bool OnLButtonDown(POINT point, UINT keys) override;
    bool OnMouseMove(POINT point, UINT keys) override;
    bool OnLButtonUp(POINT point, UINT keys) override;
    bool OnMouseWheel(short delta, UINT keys, POINT point) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnButtonClicked(int id) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The player of the movie area: the Flash control when it is installed,
    // else the built-in player. Tests put a recording player here.
    virtual IMoviePlayer* ChoosePlayer();
    // A new catalog of the installed applications.
    virtual std::unique_ptr<CAppCatalog> NewCatalog();
    // Runs the settings dialog owned by this window; its end code.
    virtual INT_PTR RunSettings();

    CSkinButton m_btnMinimize;
    CSkinButton m_btnClose;
    CShockwaveFlash m_flash;
    CNativeMenuPlayer m_nativePlayer;

private:
    void PaintSkin(HDC dc);
    void PollCopyTool();
    void SendLaunchLabels(const char* execute, const char* menuExec, const char* back);
    void StepMenu(const char* button, const char* label);

    fw::UniqueIcon m_hIcon;
    std::unique_ptr<CSkinImageSet> m_pSkin;
    std::unique_ptr<CDragTracker> m_drag;
    UINT m_msgFotopassEnd = 0;
    std::string m_strNewFolder;
    std::string m_strXmlPath;
    UINT m_msgShowIcon = 0;
    UINT m_msgShowNormal = 0;
    UINT m_msgShowClose = 0;
    std::unique_ptr<CAppCatalog> m_pCatalog;
    bool m_bLaunchEnabled = true;
    std::string m_strLastDll;
    DWORD m_dwLastLaunchTick = 0;
    DWORD m_dwExecWait;
    IMoviePlayer* m_pPlayer = nullptr;
    bool m_bSettingsOpen = false;
};

// Registered window messages and names the suite's other programs use.
extern const char kShowIconMessage[];
extern const char kShowNormalMessage[];
extern const char kShowCloseMessage[];
extern const char kFotopassEndMessage[];
extern const char kCopyToolMutex[];
// The window title, by which a second start finds the running menu.
extern const char kMenuTitle[];

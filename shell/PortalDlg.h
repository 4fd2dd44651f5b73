// The main menu window: a captionless skinned dialog that hosts the menu
// movie, builds the menu from the catalog, obeys the suite's posted messages
// and locks itself while the copy tool runs. Runs modally for the program's
// whole life. It shows at once and builds the menu right after its first
// paint, filling the movie area as plug-ins answer; starting applications is
// CAppLauncher's, and every call into a plug-in goes through CPluginHost.
#pragma once

#include "AppLauncher.h"
#include "catalog/AppCatalog.h"
#include "framework/GdiGuards.h"
#include "framework/Handle.h"
#include "player/MoviePlayer.h"
#include "player/NativeMenuPlayer.h"
#include "player/ShockwaveFlash.h"
#include "ui/SkinButton.h"
#include "ui/SkinWindow.h"

#include <memory>
#include <string>

class CPortalDlg : public CSkinWindow {
public:
    CPortalDlg();
    ~CPortalDlg() override;

    bool PreTranslateMessage(MSG* msg) override;

protected:
    void DeclareControls() override;
    BOOL OnInitDialog() override;

    // The window's own messages: the wheel, the copy-tool poll, the two
    // buttons, the icon while dragged minimised; and as signals the suite's
    // registered messages, the menu build and the commands that waited for
    // a plug-in call. The skin and dragging are the base's.
    bool OnMouseWheel(short delta, UINT keys, POINT point) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnButtonClicked(int id) override;
    HICON OnQueryDragIcon() override;
    bool OnSignal(UINT msg) override;
    // On another monitor's scale: the chrome, the movie area and the
    // built-in player again.
    void OnScaleChanged() override;

    void RefreshMenu();
    void StepMenuUp();
    void StepMenuDown();
    void EnableLaunching();
    void DisableLaunching();
    void OnFSCommand(const std::string& command, const std::string& args);
    // Empty: the movie's current entry.
    void LaunchEntry(std::string entryId);
    void PrepareEntries();
    void OpenSettings();

    // Until the first menu build has ended.
    bool IsBuilding() const { return !m_bBuilt; }
    bool IsLaunchEnabled() const { return m_bLaunchEnabled; }
    const std::string& NewFolder() const { return m_launcher.NewFolder(); }
    const std::string& DocumentPath() const { return m_strXmlPath; }
    const CAppCatalog* Catalog() const { return m_pCatalog.get(); }

    // The player of the movie area: the Flash control when it is installed,
    // else the built-in player. Tests put a recording player here.
    virtual IMoviePlayer* ChoosePlayer();
    // A new catalog of the installed applications.
    virtual std::unique_ptr<CAppCatalog> NewCatalog();
    // Runs the settings dialog owned by this window; its end code.
    virtual INT_PTR RunSettings();

    // Declared first: COM outlives every player and control below.
    fw::ComApartment m_com;
    CSkinButton m_btnMinimize;
    CSkinButton m_btnClose;
    CShockwaveFlash m_flash;
    CNativeMenuPlayer m_nativePlayer;

private:
    enum class BuildPhase { Discovery, Document };

    // The skin, the two buttons and the window's size at its scale.
    void LayOutChrome();
    // The movie area below the skin, at the window's scale.
    RECT MovieRect() const;
    void PlaceMovie();
    void BuildFirstMenu();
    bool CreateBuiltInPlayer();
    void UsePlayer(IMoviePlayer* player);
    bool MovieAvailable(const std::string& moviePath);
    // The document's path in the temporary folder; empty when that folder
    // cannot hold it.
    std::string TempDocumentPath();
    bool OnBuildStep(const CAppCatalog::Step& step, BuildPhase phase);
    void ShowFoundSoFar();
    void ReportBuildProblem(UINT textId, const std::string& path);
    void TellSetAside();
    void OnSuiteMessage(UINT message);
    void PollCopyTool();
    void SendLaunchLabels(const char* execute, const char* menuExec, const char* back);
    void StepMenu(const char* button, const char* label);

    fw::UniqueIcon m_hIcon;
    UINT m_msgFotopassEnd = 0;
    std::string m_strXmlPath;
    std::string m_strTempFolder;
    UINT m_msgShowIcon = 0;
    UINT m_msgShowNormal = 0;
    UINT m_msgShowClose = 0;
    std::unique_ptr<CAppCatalog> m_pCatalog;
    bool m_bLaunchEnabled = true;
    CAppLauncher m_launcher;
    IMoviePlayer* m_pPlayer = nullptr;
    bool m_bSettingsOpen = false;
    bool m_bBuilt = false;

    // The build in progress: when it began, when messages were last handled
    // and the found entries last shown, and what was found so far.
    struct BuildState {
        DWORD startTick = 0;
        DWORD lastPumpTick = 0;
        DWORD lastShownTick = 0;
        catalog::IdList stored;
        catalog::IdList hidden;
        catalog::IdList found;
        std::vector<player::MenuEntry> records;
    };
    std::unique_ptr<BuildState> m_pBuild;
};

// Registered window messages and names the suite's other programs use.
extern const char kShowIconMessage[];
extern const char kShowNormalMessage[];
extern const char kShowCloseMessage[];
extern const char kFotopassEndMessage[];
extern const char kCopyToolMutex[];
// The window title, by which a second start finds the running menu.
extern const char kMenuTitle[];

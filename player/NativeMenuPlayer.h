// The built-in menu player, used when the Flash control is not installed: a
// native child window that reads the same menu document, answers the same
// labels and variables and sends the same commands as the menu movie, so the
// main window drives it exactly as it drives the movie. Entries are rows of a
// list box and the commands real buttons, so screen readers can name them;
// the painter draws them and everything around.
#pragma once

#include "MenuModel.h"
#include "MenuPainter.h"
#include "MoviePlayer.h"
#include "framework/Wnd.h"
#include "ui/DisplayScale.h"
#include "ui/ImageFile.h"

#include <map>
#include <memory>
#include <vector>

class CNativeMenuPlayer : public fw::CWnd, public IMoviePlayer {
public:
    static const char kClassName[];

    CNativeMenuPlayer();
    ~CNativeMenuPlayer() override;

    // The rect is in the parent's pixels, already at the DPI; everything
    // inside is laid out and drawn at it.
    bool Create(HWND parent, const RECT& rect, UINT controlId, int dpi = ui::kBaseDpi);
    // Once the parent has moved and sized the player for a new DPI: the
    // controls, fonts, rows and pictures follow.
    void SetDpi(int dpi);
    int Dpi() const { return Layout().dpi; }

    bool Play() override;
    bool Rewind() override;
    std::int32_t FlashVersion() override;
    bool LoadMovie(std::int32_t layer, const std::string& url) override;
    bool TGotoFrame(const std::string& target, std::int32_t frame) override;
    bool TGotoLabel(const std::string& target, const std::string& label) override;
    std::string TCurrentLabel(const std::string& target) override;
    bool TPlay(const std::string& target) override;
    bool SetVariable(const std::string& name, const std::string& value) override;
    std::string GetVariable(const std::string& name) override;
    void ShowFoundEntries(const std::vector<player::MenuEntry>& entries) override;
    void ShowProgress(const std::string& text) override;
    void ShowProblem(const std::string& text) override;

    const player::MenuModel& Model() const { return m_model; }
    const std::string& MoviePath() const { return m_strMoviePath; }
    // The last document could not be read: the menu is empty and says why.
    bool ListUnreadable() const { return m_bListUnreadable; }
    // Why the menu could not be built, shown where the entries would be.
    const std::string& Problem() const { return m_strProblem; }
    // The list is shown and its pictures are not decoded yet.
    bool PicturesPending() const { return m_bPicturesPending; }
    // The progress line is drawn: the build has run for half a second.
    bool ProgressShown() const;
    HWND ListWindow() const;
    HWND StartButton() const { return m_hStart; }

    enum : UINT { kListId = 10, kStartId = 11, kSettingsId = 12, kCopyId = 13 };

protected:
    bool OnPaint() override;
    bool OnEraseBackground(HDC dc) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
    bool OnCommand(UINT code, int id, HWND control) override;
    bool OnButtonClicked(int id) override;
    bool OnMouseWheel(short delta, UINT keys, POINT point) override;
    bool OnTimer(UINT_PTR id) override;
    // The list's background.
    HBRUSH OnControlColor(UINT kind, HDC dc, HWND control) override;

private:
    class CEntryList;

    // The list's window text once it is built; while it builds, the progress.
    static const char kListName[];
    // Fires once the list is drawn, to decode the pictures.
    static constexpr UINT_PTR kPicturesTimer = 1;

    const player::MenuLayout& Layout() const { return m_painter.Layout(); }
    void LoadDocument();
    void FillList();
    void AddRows(const std::vector<player::MenuEntry>& entries);
    void ShowSelection();
    void UpdateButtons();
    void StartSelected(bool fromList);
    void Paint(HDC dc);
    void DrawEntry(const DRAWITEMSTRUCT& item);
    const CPicture& Picture(const std::string& path, int width, int height);

    player::MenuModel m_model;
    std::string m_strMoviePath;
    bool m_bReload = false;
    bool m_bListUnreadable = false;
    std::string m_strProblem;
    // The build's progress, and since when a build has been running.
    std::string m_strProgress;
    DWORD m_dwProgressSince = 0;
    std::unique_ptr<CEntryList> m_pList;
    HWND m_hStart = nullptr;
    HWND m_hSettings = nullptr;
    HWND m_hCopy = nullptr;
    player::CMenuPainter m_painter;
    std::map<std::string, CPicture> m_pictures;
    // Pictures are decoded after the list's first paint, so a new list shows
    // at once and its icons follow.
    bool m_bPicturesPending = false;
    // The rows are what a build found so far, not yet a document.
    bool m_bFoundOnly = false;
    // The user moved the selection since the rows last came from a document.
    bool m_bUserChose = false;
};

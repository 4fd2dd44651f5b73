// The base of every skinned window: a captionless dialog painted from its
// skin image set (slot 0 holds the window's skin), dragged by the mouse held
// on its band, and sized to its skin. A window derived from it keeps only
// its own controls and texts, written in 96-DPI pixels; how a skin is
// painted, and at which display scale, is decided here once.
#pragma once

#include "DragTracker.h"
#include "DisplayScale.h"
#include "SkinImageSet.h"
#include "framework/Dialog.h"

class CSkinWindow : public fw::CDialog {
public:
    // A band of this height at the top drags the window; presses below it
    // do nothing. kDragAnywhere: the whole surface drags.
    static constexpr int kDragAnywhere = -1;

    CSkinWindow(UINT templateId, HWND parent, int dragBandHeight, HINSTANCE resources = nullptr);

    // The DPI the window is drawn at: a skinned owner's (a dialog opens at
    // the menu's scale), else its monitor's, until the system moves it.
    int Dpi() const;

protected:
    // A 96-DPI length at the window's scale.
    int Px(int length) const { return ui::ScaleToDpi(length, Dpi()); }
    // Moves a control to a 96-DPI position at the window's scale, keeping
    // its size; toTop also makes it first in the z-order and tab order.
    void PlaceControl(const fw::CWnd& control, int x, int y, bool toTop = false) const;
    static HMODULE Library();

    // The window's own skin, from the resource library at the window's
    // scale, into slot 0. From here on the window scales itself, not the
    // system's dialog manager.
    void LoadSkin(UINT bitmapId);
    CSkinImage& Skin() { return *m_images.GetSlotImage(0); }
    SIZE SkinSize() const;
    // The window keeps its place and takes the skin's size, with extra
    // height (96-DPI pixels) for what hangs below the skin.
    void FitToSkin(int extraHeight = 0);
    // No taskbar button: a window the menu owns.
    void HideFromTaskbar();
    // In front of every window and fully drawn before the first message.
    void ShowInFront();
    // Screen readers name a control by its window text, which no skinned
    // control draws: a text of the library, or the fallback without one.
    static void NameControl(const fw::CWnd& control, UINT textId, const char* fallback);

    // The DPI changed (the window moved to another monitor): lay out the
    // skin, controls and fonts again. The base then takes the system's
    // suggested rectangle and redraws.
    virtual void OnScaleChanged() {}

    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnPaint() override;
    bool OnEraseBackground(HDC dc) override;
    // Dragging; default processing still follows each of them.
    bool OnLButtonDown(POINT point, UINT keys) override;
    bool OnMouseMove(POINT point, UINT keys) override;
    bool OnLButtonUp(POINT point, UINT keys) override;

private:
    CSkinImageSet m_images;
    CDragTracker m_drag;
    int m_nDragBand;
    mutable int m_nDpi = 0;
};

// The captionless dialogs are dragged by this band at their top (96-DPI
// pixels).
constexpr int kDragBandHeight = 30;

// The base of every skinned window: a captionless dialog painted from its
// skin image set (slot 0 holds the window's skin), dragged by the mouse held
// on its band, and sized to its skin. A window derived from it keeps only
// its own controls and texts; how a skin is painted, and at which display
// scale, is decided here once.
#pragma once

#include "DragTracker.h"
#include "SkinImageSet.h"
#include "framework/Dialog.h"

class CSkinWindow : public fw::CDialog {
public:
    // A band of this height at the top drags the window; presses below it
    // do nothing. kDragAnywhere: the whole surface drags.
    static constexpr int kDragAnywhere = -1;

    CSkinWindow(UINT templateId, HWND parent, int dragBandHeight, HINSTANCE resources = nullptr);

protected:
    // The window's own skin, from the resource library, into slot 0.
    void LoadSkin(UINT bitmapId);
    CSkinImage& Skin() { return *m_images.GetSlotImage(0); }
    SIZE SkinSize() const;
    // The window keeps its place and takes the skin's size, with extra
    // height for what hangs below the skin.
    void FitToSkin(int extraHeight = 0);
    // No taskbar button: a window the menu owns.
    void HideFromTaskbar();
    // In front of every window and fully drawn before the first message.
    void ShowInFront();
    // Screen readers name a control by its window text, which no skinned
    // control draws: a text of the library, or the fallback without one.
    static void NameControl(const fw::CWnd& control, UINT textId, const char* fallback);

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
};

// The captionless dialogs are dragged by this band at their top.
constexpr int kDragBandHeight = 30;

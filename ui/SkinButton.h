// Owner-drawn push button painted from five state bitmaps (normal, pressed,
// focus, disabled, mouse-over) with an optional caption whose colour follows
// the state. Bound to a dialog's button by subclassing; draws itself through
// the reflected WM_DRAWITEM.
#pragma once

#include "SkinFont.h"
#include "StateBitmaps.h"
#include "framework/Wnd.h"

#include <memory>
#include <string>

// How a caption sits on its button: its colour in each state, the skin
// font's point size, the inset from the button's edges and the DrawText
// format.
struct CaptionStyle {
    COLORREF normal;
    COLORREF pressed;
    COLORREF focus;
    COLORREF disabled;
    COLORREF hover;
    int pointSize;
    int inset;
    UINT format;
};
// Push buttons centre their caption; labels beside a check box are left
// aligned and keep it black when pressed.
extern const CaptionStyle kPushCaption;
extern const CaptionStyle kLabelCaption;

class CSkinButton : public fw::CWnd {
public:
    // Bitmaps and caption at the window's DPI; a caption's font and inset
    // scale with it.
    void SetBitmaps(HMODULE module, UINT normal, UINT pressed, UINT focus, UINT disabled, UINT hover, int dpi = 96);
    void SetCaption(const std::string& text, const CaptionStyle& style, int dpi = 96);

    bool IsHovering() const { return m_bHover; }
    bool IsPressed() const { return m_bPressed; }
    UINT CaptionFormat() const { return m_nFormat; }

protected:
    bool OnMouseMove(POINT point, UINT keys) override;
    bool OnMouseLeave() override;
    bool OnLButtonDown(POINT point, UINT keys) override;
    bool OnLButtonUp(POINT point, UINT keys) override;
    bool OnKillFocus(HWND next) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

    CStateBitmaps m_bitmaps;

private:
    void Redraw();

    std::unique_ptr<CSkinFont> m_pFont;
    CaptionStyle m_style{};
    std::string m_strText;
    RECT m_rcText{};
    UINT m_nFormat = 0;
    bool m_bHover = false;
    bool m_bPressed = false;
};

// Makes a button owner-drawn and sizes it to its first bitmap at the DPI.
void MakeOwnerDrawnAndFit(HWND button, CStateBitmaps& bitmaps, HMODULE module, const std::array<UINT, 5>& ids, int dpi);

// Paints the plain grey rectangle of a button without bitmaps.
void FillMissingBitmap(const DRAWITEMSTRUCT& item);

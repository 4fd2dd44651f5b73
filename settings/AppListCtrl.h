// The settings dialog's application list: one owner-drawn row per entry
// (column 0 the name, column 1 the entry id) with a drawn check box, and
// reordering by drag and drop with a drop marker and auto-scroll. Check
// boxes change only through ToggleSelectedChecks and SetCheck of this class:
// the platform's own toggle is refused, so a click is never toggled twice.
#pragma once

#include "RowDrag.h"
#include "RowMoves.h"
#include "framework/Handle.h"
#include "framework/ListCtrl.h"
#include "ui/DisplayScale.h"

#include <optional>
#include <vector>

class CAppListCtrl : public fw::CListCtrl {
public:
    ~CAppListCtrl() override;

    // The scale rows, boxes and the drag are drawn at; the owner sets the
    // font after it, which measures the rows again.
    void SetDpi(int dpi) { m_nDpi = ui::SaneDpi(dpi); }
    int Dpi() const { return m_nDpi; }

    // Flips the check of every selected row when x (list window
    // coordinates, as the click was) lies on the check boxes, 0 to 16 at
    // 100 %.
    void ToggleSelectedChecks(int x);
    bool SetRowCheck(int row, bool checked);
    // Applies a move plan; each row keeps its texts, check and selection.
    void MoveRows(const std::vector<settings::RowMove>& moves);

    bool IsDragging() const { return m_drag && !m_drag->IsEnding(); }
    // True while the button release that ended a drag is being handled, so
    // the owner can ignore the click the list reports for it.
    bool IsEndingDrag() const { return m_bEndingDrag; }
    int DropMarker() const { return IsDragging() ? m_drag->Marker() : settings::kNoDropTarget; }

    // Colours of the rows and of the drop marker.
    static constexpr COLORREF kSelectedBack = 0x66F6FD;
    static constexpr COLORREF kSeparator = 0xB36900;
    static constexpr COLORREF kBoxInside = 0xFFFFFF;
    static constexpr COLORREF kBoxOuterFrame = 0x943300;
    static constexpr COLORREF kBoxInnerFrame = 0xF4CF8D;
    static constexpr COLORREF kMark = 0x0000FF;
    static constexpr COLORREF kDragBack = 0x00FF00;
    // Auto-scroll timers: up and down, every 100 ms.
    static constexpr UINT_PTR kScrollUpTimer = 1;
    static constexpr UINT_PTR kScrollDownTimer = 2;
    // Clicks from x 0 to this one, list coordinates at 100 %, fall on the
    // boxes.
    static constexpr int kBoxRight = 16;

protected:
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnReflectedNotify(NMHDR& header, LRESULT& result) override;
    bool OnSetFont(HFONT font, bool redraw) override;
    bool OnSize(UINT type, int width, int height) override;
    bool OnKeyDown(UINT key, UINT flags) override;
    bool OnChar(UINT character, UINT flags) override;
    bool OnLButtonDown(POINT point, UINT keys) override;
    bool OnLButtonDblClk(POINT point, UINT keys) override;
    // Drag and drop (AppListDrag.cpp).
    bool OnMouseMove(POINT point, UINT keys) override;
    bool OnLButtonUp(POINT point, UINT keys) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnCaptureChanged(HWND newCapture) override;
    bool OnCancelMode() override;

private:
    // A 96-DPI length at the list's scale.
    int Px(int length) const { return ui::ScaleToDpi(length, m_nDpi); }
    bool OnBoxes(int x) const { return x >= 0 && x <= Px(kBoxRight); }
    void DrawRow(HDC dc, int row, const RECT& rect, bool selected, bool entire) const;
    void SelectRowUnderBox(POINT point, UINT keys);
    // The list's own handling of the message, with its check-box toggle
    // refused.
    void DefaultWithoutCheckToggle();

    // Drag and drop.
    void BeginRowDrag(const NMLISTVIEW& start);
    fw::UniqueImageList BuildDragImage(const std::vector<int>& rows, const RECT& bounds) const;
    void DragTo(POINT point);
    void SetDropMarker(int row);
    void DrawRowLine(int row, COLORREF color, int width) const;
    void ScrollOneLine(int step);
    void DropRows(const std::vector<int>& rows, int marker);

    std::optional<CRowDrag> m_drag;
    bool m_bRefuseCheckChanges = false;
    bool m_bEndingDrag = false;
    int m_nDpi = ui::kBaseDpi;
};

// Thin wrapper of a report-view list control (SysListView32): rows, their
// texts and states, check boxes as state images, hit tests and rectangles.
// Texts are read whole, however long, so a row's texts survive any move.
#pragma once

#include "Wnd.h"

#include <string>
#include <vector>

namespace fw {

class CListCtrl : public CWnd {
public:
    int GetItemCount() const;
    std::string GetItemText(int row, int column) const;
    bool SetItemText(int row, int column, const std::string& text);
    // A row with its column-0 text at `row` (the end when past it); the new
    // index, or -1.
    int InsertRow(int row, const std::string& text);
    bool DeleteItem(int row);

    UINT GetItemState(int row, UINT mask) const;
    bool SetItemState(int row, UINT state, UINT mask);
    // Check boxes are state images 1 (cleared) and 2 (checked).
    bool GetCheck(int row) const;
    bool SetCheck(int row, bool checked);

    int GetNextItem(int start, UINT flags) const;
    int GetSelectedCount() const;
    std::vector<int> GetSelectedRows() const;
    // The row at a client point, or -1.
    int HitTest(POINT point) const;
    bool GetItemRect(int row, RECT& rect, int code) const;
    bool EnsureVisible(int row, bool partialOk);
    void RedrawItems(int first, int last);
    int GetTopIndex() const;

    COLORREF GetBkColor() const;
    void SetBkColor(COLORREF color);
    DWORD GetExtendedStyle() const;
    void SetExtendedStyle(DWORD style);
    int InsertColumn(int column, const char* heading, int format, int width);
    // The header's column count; 1 for a list without a header.
    int GetColumnCount() const;
    HWND GetHeader() const;
};

} // namespace fw

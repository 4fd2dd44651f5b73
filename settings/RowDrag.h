// One drag of list rows as an object: making it begins the drag image over
// the desktop and takes the mouse capture, it runs the auto-scroll timer it
// is asked for, and destroying it ends all of that, however the drag ended
// (released, cancelled, capture lost, list destroyed).
#pragma once

#include "RowMoves.h"
#include "framework/Handle.h"

#include <vector>

class CRowDrag {
public:
    // image: the rows' picture, hotSpot: the cursor's place in it, at: where
    // the drag began, in screen coordinates.
    CRowDrag(HWND list, fw::UniqueImageList image, POINT hotSpot, POINT at, std::vector<int> rows);
    ~CRowDrag();
    CRowDrag(const CRowDrag&) = delete;
    CRowDrag& operator=(const CRowDrag&) = delete;

    const std::vector<int>& Rows() const { return m_rows; }
    int Marker() const { return m_nMarker; }
    void SetMarker(int row) { m_nMarker = row; }
    // True from the moment the destructor runs: the capture it releases
    // then ends nothing a second time.
    bool IsEnding() const { return m_bEnding; }

    // The image follows the cursor; it is hidden while the list draws.
    void MoveImage(POINT screen) const;
    void HideImage() const;
    void ShowImage(POINT screen) const;

    // A running timer keeps its pace while the cursor stays in its zone.
    void ScrollWith(UINT_PTR timerId);
    void StopScrolling();

private:
    HWND m_hList;
    fw::UniqueImageList m_hImage;
    std::vector<int> m_rows;
    int m_nMarker = settings::kNoDropTarget;
    UINT_PTR m_nTimer = 0;
    bool m_bEnding = false;
};

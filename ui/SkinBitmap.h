// Loads a skin bitmap of the resource library at a window's DPI: the set
// drawn at that scale as it is, the nearest larger set reduced by averaging,
// and for a library that has no larger sets the plain bitmap enlarged
// smoothly. The result is a DIB section the caller owns.
#pragma once

#include "framework/Handle.h"

// Null when the library has no bitmap of that id at all.
fw::UniqueBitmap LoadSkinBitmap(HMODULE module, UINT bitmapId, int dpi);

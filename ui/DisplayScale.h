// Display scale: every size and position of the skinned windows is written
// in 96-DPI pixels and multiplied here by the window's DPI, and the skin art
// comes in sets drawn at fixed percentages. One factor for art, positions and
// text, so the text keeps fitting the art at any scale.
#pragma once

namespace ui {

constexpr int kBaseDpi = 96;

// A DPI a window can be at; anything outside counts as 96.
int SaneDpi(int dpi);

// A 96-DPI length at a DPI. Half a pixel rounds away from zero (562.5 is
// 563), as MulDiv does, so edges computed apart still meet.
int ScaleToDpi(int length, int dpi);

// The percentages the resource library draws its skin art at; 100 is the
// plain bitmaps.
constexpr int kArtPercents[] = {100, 125, 150, 200};

// The set to take at a DPI: the smallest that is at least as large, reduced
// to the exact size where it is larger; the largest above all of them.
int ArtPercentForDpi(int dpi);

// The resource id of a skin bitmap in the set of a percentage: the plain id
// at 100, else the percentage times 100 plus the id (20210 is bitmap 210 at
// 200 %).
unsigned ArtIdAtPercent(unsigned id, int percent);

// Whether a set is drawn at exactly a DPI's scale, so it needs no resizing.
bool ArtFitsDpi(int percent, int dpi);

} // namespace ui

// The font of all skin texts and button captions: a point size whose pixel
// height does not follow the screen's DPI but the window's scale (13 pixels
// for size 10 at 100 %, as many more as the art grows above), with one face
// chosen per process (g_fontFace) from a preference list by the first
// enumeration.
#pragma once

#include "framework/Handle.h"

#include <string>

extern std::string g_fontFace;

class CSkinFont {
public:
    explicit CSkinFont(int pointSize, int dpi = 96);

    HFONT GetHandle() const { return m_hFont.get(); }

private:
    fw::UniqueFont m_hFont;
};

// Enumeration procedure: offers each face to the choice held in lParam.
int CALLBACK PickFontFaceProc(const LOGFONTA* logFont, const TEXTMETRICA* metrics, DWORD fontType, LPARAM lParam);

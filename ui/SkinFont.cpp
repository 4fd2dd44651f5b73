#include "SkinFont.h"

#include "DisplayScale.h"
#include "FontFaceChoice.h"
#include "framework/GdiGuards.h"
#include "framework/SystemLeadByte.h"

#include <cstring>

std::string g_fontFace;

int CALLBACK PickFontFaceProc(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    auto* choice = reinterpret_cast<std::string*>(lParam);
    // A callback from the system: nothing may be thrown back through it.
    try {
        if (logFont && choice)
            ui::OfferFace(logFont->lfFaceName, *choice, fw::IsSystemLeadByte);
    } catch (...) {
        return 0;
    }
    return 1;
}

CSkinFont::CSkinFont(int pointSize, int dpi)
{
    fw::ScopedWindowDC desktop(::GetDesktopWindow());
    HDC dc = desktop.get();
    if (g_fontFace.empty()) {
        LOGFONTA query{};
        query.lfCharSet = DEFAULT_CHARSET;
        ::EnumFontFamiliesExA(dc, &query, reinterpret_cast<FONTENUMPROCA>(&PickFontFaceProc),
                              reinterpret_cast<LPARAM>(&g_fontFace), 0);
    }
    int tenths = ui::TenthsOfPoint(pointSize, ::GetDeviceCaps(dc, LOGPIXELSX));
    LOGFONTA font{};
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfHeight = ui::ScaleToDpi(ui::FontHeightForTenths(::GetDeviceCaps(dc, LOGPIXELSY), tenths), dpi);
    std::strncpy(font.lfFaceName, g_fontFace.c_str(), LF_FACESIZE - 1);
    m_hFont.reset(::CreateFontIndirectA(&font));
}

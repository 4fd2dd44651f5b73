#include "DisplayScale.h"

namespace ui {

namespace {
// Wider than any display: 50 % to 500 %.
constexpr int kLowestDpi = 48;
constexpr int kHighestDpi = 480;
} // namespace

int SaneDpi(int dpi)
{
    return dpi >= kLowestDpi && dpi <= kHighestDpi ? dpi : kBaseDpi;
}

int ScaleToDpi(int length, int dpi)
{
    dpi = SaneDpi(dpi);
    const long long twice = 2LL * length * dpi;
    const long long half = twice >= 0 ? kBaseDpi : -kBaseDpi;
    return static_cast<int>((twice + half) / (2LL * kBaseDpi));
}

int ArtPercentForDpi(int dpi)
{
    dpi = SaneDpi(dpi);
    for (int percent : kArtPercents)
        if (percent * kBaseDpi >= dpi * 100)
            return percent;
    return kArtPercents[sizeof kArtPercents / sizeof kArtPercents[0] - 1];
}

unsigned ArtIdAtPercent(unsigned id, int percent)
{
    return percent == 100 ? id : static_cast<unsigned>(percent) * 100u + id;
}

bool ArtFitsDpi(int percent, int dpi)
{
    return percent * kBaseDpi == SaneDpi(dpi) * 100;
}

} // namespace ui

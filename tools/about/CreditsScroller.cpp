#include "tools/about/CreditsScroller.h"

namespace tools {

float creditsScrollStep(float top)
{
    const float t = top - CreditsStep;
    if (t < CreditsLowestTop)
        return CreditsWrapTop;
    return t;
}

} // namespace tools

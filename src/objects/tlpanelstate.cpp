#include "objects/tlpanelstate.h"

namespace dayloom {

QString PanelStateName(TLPanelState state)
{
    static const char* const names[PanelStateCount] = {
        "psPointing", "psLabel", "psImage", "psRichLabel", "psSuperText", "psFlatCalendar",
    };
    const int i = int(state);
    if (i < 0 || i >= PanelStateCount)
        return QString();
    return QString::fromLatin1(names[i]);
}

}  // namespace dayloom

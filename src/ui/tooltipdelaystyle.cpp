#include "ui/tooltipdelaystyle.h"

#include <QApplication>

namespace dayloom {

ToolTipDelayStyle::ToolTipDelayStyle(int delayMs) : m_delay(delayMs) {}

int ToolTipDelayStyle::styleHint(StyleHint hint, const QStyleOption* option,
                                 const QWidget* widget, QStyleHintReturn* returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay)
        return m_delay;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void ToolTipDelayStyle::Install(int delayMs)
{
    if (auto* current = qobject_cast<ToolTipDelayStyle*>(QApplication::style())) {
        current->m_delay = delayMs;
        return;
    }
    QApplication::setStyle(new ToolTipDelayStyle(delayMs));
}

}  // namespace dayloom

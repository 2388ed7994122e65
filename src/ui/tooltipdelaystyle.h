#pragma once

#include <QProxyStyle>

namespace dayloom {

// The running style with the program's tool-tip pause (1200 ms).
class ToolTipDelayStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit ToolTipDelayStyle(int delayMs = 1200);
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    // Puts the style on the application once.
    static void Install(int delayMs);

private:
    int m_delay;
};

}  // namespace dayloom

#include "core/zoom.h"

#include <cmath>

namespace dayloom {

namespace {

// The factor of each step, 20 % to 100 %.
constexpr float kSteps[] = {0.201f, 0.301f, 0.401f, 0.501f, 0.601f, 0.701f, 0.801f, 0.901f, 1.001f};
constexpr int kStepCount = int(sizeof(kSteps) / sizeof(kSteps[0]));

int stepIndex(int percent)
{
    const int i = (percent - Zoom::MinStepPercent) / 10;
    return i < 0 ? 0 : (i >= kStepCount ? kStepCount - 1 : i);
}

}  // namespace

Zoom Zoom::FromPercent(int percent)
{
    return Zoom(kSteps[stepIndex(percent)]);
}

int Zoom::StepPercent() const
{
    // The boundaries lie at the round values: 0.6 .. 0.7 is 60 %.
    for (int i = kStepCount - 1; i > 0; --i)
        if (m_factor >= float(MinStepPercent + 10 * i) / 100.0f)
            return MinStepPercent + 10 * i;
    return MinStepPercent;
}

int Zoom::RoundedPercent() const
{
    return int(std::lround(m_factor * 100.0f));
}

int Zoom::TruncatedPercent() const
{
    return int(std::trunc(double(m_factor) * 100.0));
}

QString Zoom::Caption() const
{
    return QString::number(RoundedPercent()) + QLatin1Char('%');
}

Zoom Zoom::StepIn() const
{
    return CanStepIn() ? StepInWithin(MaxStepPercent) : *this;
}

Zoom Zoom::StepOut() const
{
    return CanStepOut() ? StepOutWithin(MinStepPercent) : *this;
}

// A factor between two steps (from elsewhere than the table) goes to the
// nearer step in the direction of the zoom first.
Zoom Zoom::StepInWithin(int maxPercent) const
{
    const int own = StepPercent();
    const int next = m_factor < FromPercent(own).m_factor ? own : own + 10;
    return next <= maxPercent ? FromPercent(next) : *this;
}

Zoom Zoom::StepOutWithin(int minPercent) const
{
    const int own = StepPercent();
    const int next = m_factor > FromPercent(own).m_factor ? own : own - 10;
    return next >= minPercent ? FromPercent(next) : *this;
}

int PixelsToTwips(double pixels, int ppi)
{
    return ppi > 0 ? int(std::trunc(pixels / double(ppi) * 1440.0)) : 0;
}

}  // namespace dayloom

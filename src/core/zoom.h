#pragma once

#include <QString>

namespace dayloom {

// How large the page is shown: a single-precision factor, 1 = one page pixel
// per screen pixel. The window offers the steps 20 % .. 100 %, stored as
// percentages; each step's factor sits a little above the round value
// (60 % is 0.601) so that no comparison with a bound falls the wrong way.
// Every conversion between percentages and factors lives here.
class Zoom {
public:
    static constexpr int MinStepPercent = 20;
    static constexpr int MaxStepPercent = 100;

    // Zoom 1 (what documents, printing and new pages use).
    constexpr Zoom() = default;
    // Any positive factor; anything else counts as 1.
    explicit Zoom(float factor) : m_factor(factor > 0.0f ? factor : 1.0f) {}
    // The step of a stored percentage: the largest step not above it, 20 %
    // for anything smaller and 100 % for anything larger.
    static Zoom FromPercent(int percent);

    float Factor() const { return m_factor; }
    // The step the factor belongs to, as the ini file stores it.
    int StepPercent() const;
    // Factor x 100 rounded to the nearest whole number: captions and messages.
    int RoundedPercent() const;
    // Factor x 100 with the fraction dropped: the zoom percentage rich text
    // is rendered at.
    int TruncatedPercent() const;
    // "60%".
    QString Caption() const;

    // The window's zoom steps: In acts while the factor is at most 0.95, Out
    // while it is above 0.6 (50 % is the smallest step the buttons reach; a
    // smaller stored zoom can be zoomed in but not out). Each gives the next
    // step's factor, or this zoom when it does not act.
    bool CanStepIn() const { return m_factor <= 0.95f; }
    bool CanStepOut() const { return m_factor > 0.6f; }
    Zoom StepIn() const;
    Zoom StepOut() const;
    // The same steps between 20 % and 100 % (the properties dialog's preview).
    Zoom StepInWithin(int maxPercent) const;
    Zoom StepOutWithin(int minPercent) const;

    bool operator==(const Zoom& other) const { return m_factor == other.m_factor; }

private:
    float m_factor = 1.0f;
};

// Pixels at zoom 1 as twips (1/1440 inch) at ppi pixels per inch, the
// fraction dropped: the width rich text is laid out on.
int PixelsToTwips(double pixels, int ppi);

}  // namespace dayloom

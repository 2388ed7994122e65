// The zoom steps, their percentages and captions, and pixels as twips.
#include <gtest/gtest.h>

#include <cmath>

#include "core/pagemapping.h"
#include "core/zoom.h"

using namespace dayloom;

TEST(Zoom, StoredPercentagesMapToFactorsJustAboveTheRoundValue)
{
    EXPECT_FLOAT_EQ(Zoom::FromPercent(-5).Factor(), 0.201f);
    EXPECT_FLOAT_EQ(Zoom::FromPercent(29).Factor(), 0.201f);
    EXPECT_FLOAT_EQ(Zoom::FromPercent(30).Factor(), 0.301f);
    EXPECT_FLOAT_EQ(Zoom::FromPercent(45).Factor(), 0.401f);
    EXPECT_FLOAT_EQ(Zoom::FromPercent(60).Factor(), 0.601f);
    EXPECT_FLOAT_EQ(Zoom::FromPercent(99).Factor(), 0.901f);
    EXPECT_FLOAT_EQ(Zoom::FromPercent(100).Factor(), 1.001f);
    EXPECT_FLOAT_EQ(Zoom::FromPercent(5000).Factor(), 1.001f);
    // Every stored percentage comes back as its ten, within 20..100.
    for (int n = 0; n <= 130; ++n)
        EXPECT_EQ(Zoom::FromPercent(n).StepPercent(), qBound(20, n / 10 * 10, 100)) << n;
    // Factors reached by 0.1 steps in single precision stay in their ten.
    float z = 0.201f;
    for (int expected = 20; expected <= 100; expected += 10, z += 0.1f)
        EXPECT_EQ(Zoom(z).StepPercent(), expected) << z;
    EXPECT_EQ(Zoom(0.0f).Factor(), 1.0f);  // no factor: zoom 1
    EXPECT_EQ(Zoom(0.05f).StepPercent(), 20);
    EXPECT_EQ(Zoom(0.999f).StepPercent(), 90);
}

TEST(Zoom, StepsStopAtTheirBoundsAndLandOnTheTable)
{
    // The window's buttons: 50 % is the smallest step reached, 100 % the largest.
    Zoom z = Zoom::FromPercent(60);
    EXPECT_EQ(z.StepOut(), Zoom::FromPercent(50));
    EXPECT_EQ(z.StepOut().StepOut(), Zoom::FromPercent(50));
    for (int i = 0; i < 6; ++i)
        z = z.StepIn();
    EXPECT_EQ(z, Zoom::FromPercent(100));
    // Zooming in from 60 % gives the same factor as a stored 70 %.
    EXPECT_EQ(Zoom::FromPercent(60).StepIn().Factor(), Zoom::FromPercent(70).Factor());
    // A smaller stored zoom can be zoomed in, not out.
    EXPECT_EQ(Zoom::FromPercent(20).StepOut(), Zoom::FromPercent(20));
    EXPECT_EQ(Zoom::FromPercent(20).StepIn(), Zoom::FromPercent(30));
    // The preview's range reaches 20 %.
    EXPECT_EQ(Zoom::FromPercent(30).StepOutWithin(20), Zoom::FromPercent(20));
    EXPECT_EQ(Zoom::FromPercent(20).StepOutWithin(20), Zoom::FromPercent(20));
    EXPECT_EQ(Zoom::FromPercent(100).StepInWithin(100), Zoom::FromPercent(100));
    // A factor between the steps moves onto the nearer step that way.
    EXPECT_EQ(Zoom(0.25f).StepOutWithin(20), Zoom::FromPercent(20));
    EXPECT_EQ(Zoom(0.25f).StepIn(), Zoom::FromPercent(30));
    EXPECT_EQ(Zoom(0.6f).StepIn(), Zoom::FromPercent(60));
    EXPECT_EQ(Zoom(0.65f).StepOut(), Zoom::FromPercent(60));
}

TEST(Zoom, CaptionsRoundRenderingTruncates)
{
    EXPECT_EQ(Zoom::FromPercent(60).Caption(), QStringLiteral("60%"));
    EXPECT_EQ(Zoom::FromPercent(100).Caption(), QStringLiteral("100%"));
    EXPECT_EQ(Zoom(0.996f).Caption(), QStringLiteral("100%"));
    EXPECT_EQ(Zoom(0.996f).TruncatedPercent(), 99);
    EXPECT_EQ(Zoom(1.5f).TruncatedPercent(), 150);
    EXPECT_EQ(Zoom().RoundedPercent(), 100);
}

TEST(Zoom, PixelsAsTwipsDropTheFraction)
{
    EXPECT_EQ(PixelsToTwips(190, 96), 2850);
    EXPECT_EQ(PixelsToTwips(380 / 2.0, 96), 2850);
    EXPECT_EQ(PixelsToTwips(151 / 0.601, 96), 3768);  // 251.2 pixels
    EXPECT_EQ(PixelsToTwips(10, 120), 120);
    EXPECT_EQ(PixelsToTwips(10, 0), 0);
}

// A length edited on the screen goes back as round-half-even(value / zoom)
// however far from the origin, and shows again where it was put.
TEST(Zoom, ScreenLengthsGoBackHalfToEven)
{
    EXPECT_EQ(PageMapping::Screen(Zoom(0.5f), 96).UnmapObjectLength(13), 26);
    EXPECT_EQ(PageMapping::Screen(Zoom(4.0f), 96).UnmapObjectLength(10), 2);   // 2.5 -> 2
    EXPECT_EQ(PageMapping::Screen(Zoom(4.0f), 96).UnmapObjectLength(14), 4);   // 3.5 -> 4
    EXPECT_EQ(PageMapping::Screen(Zoom(4.0f), 96).UnmapObjectLength(-10), -2);
    for (int percent = Zoom::MinStepPercent; percent <= Zoom::MaxStepPercent; percent += 10) {
        const Zoom zoom = Zoom::FromPercent(percent);
        const PageMapping m = PageMapping::Screen(zoom, 96);
        for (int v = -2000; v <= 40000; v += 7) {
            ASSERT_EQ(m.UnmapObjectLength(v), int(std::nearbyint(double(v) / double(zoom.Factor()))))
                << percent << " " << v;
            if (percent < 100) {  // above zoom 1 a few screen values are no page value's place
                ASSERT_EQ(m.MapObjectLength(m.UnmapObjectLength(v)), v) << percent << " " << v;
            }
        }
    }
}

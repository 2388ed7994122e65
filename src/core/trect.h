#pragma once

#include <QPoint>
#include <QRect>

namespace dayloom {

// A rectangle as the page geometry uses it: Right and Bottom lie outside,
// so Width = Right - Left. (QRect's right() is inclusive; convert with care.)
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsZero() const { return Left == 0 && Top == 0 && Right == 0 && Bottom == 0; }
    constexpr bool Contains(int x, int y) const
    {
        return x >= Left && x < Right && y >= Top && y < Bottom;
    }
    constexpr bool Contains(QPoint p) const { return Contains(p.x(), p.y()); }
    constexpr bool operator==(const TRect&) const = default;

    QRect toQRect() const { return QRect(QPoint(Left, Top), QSize(Right - Left, Bottom - Top)); }
    static TRect fromQRect(const QRect& r)
    {
        return TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    }
};

}  // namespace dayloom

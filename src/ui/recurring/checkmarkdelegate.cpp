#include "ui/recurring/checkmarkdelegate.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>

namespace dayloom {

namespace {

constexpr int kMarkSize = 14;
constexpr int kRowHeight = 16;

QPixmap transparentPixmap(const QImage& image, QRgb transparent)
{
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(transparent, Qt::MaskInColor)));
    return pixmap;
}

}  // namespace

CheckMarkDelegate::CheckMarkDelegate(QObject* parent)
    : QStyledItemDelegate(parent),
      m_normal(transparentPixmap(CheckMarkImage(false), qRgb(255, 255, 255))),
      m_reversed(transparentPixmap(CheckMarkImage(true), qRgb(0, 0, 0)))
{
}

QImage CheckMarkDelegate::CheckMarkImage(bool reversed)
{
    QImage image(kMarkSize, kMarkSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        // Drawn without antialiasing so that the picture holds only its two
        // colours and the transparent one drops out cleanly.
        QPainter p(&image);
        QPen pen(Qt::black, 2.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        p.setPen(pen);
        QPainterPath mark;
        mark.moveTo(2.5, 7.0);
        mark.lineTo(5.5, 10.5);
        mark.lineTo(11.5, 2.5);
        p.drawPath(mark);
    }
    if (reversed)
        image.invertPixels();
    return image;
}

void CheckMarkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const bool focused = option.state & QStyle::State_HasFocus;
    const bool selected = option.state & QStyle::State_Selected;
    const QRect r = option.rect;
    painter->save();
    painter->fillRect(r, focused ? QColor(Qt::black) : option.palette.color(QPalette::Base));
    if (selected) {
        const QPixmap& mark = focused ? m_reversed : m_normal;
        painter->drawPixmap(r.left(), r.top() + (r.height() - mark.height()) / 2, mark);
    }
    painter->setPen(focused ? Qt::white : Qt::black);
    painter->setFont(option.font);
    const QRect textRect(r.left() + m_normal.width() + 5, r.top(), r.width(), r.height());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize CheckMarkDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(size.width() + m_normal.width() + 5);
    size.setHeight(kRowHeight);
    return size;
}

}  // namespace dayloom

#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

namespace dayloom {

// Rows of the holiday chooser and the selection dialog: black with white
// text on the focused row, the window colour with black text otherwise; a
// selected row shows a check mark at its left edge, and the text starts 5
// pixels right of the picture's width, at the row's top.
class CheckMarkDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CheckMarkDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The two pictures: a black mark on white, and the reversed one (a white
    // mark on black). White, respectively black, is their transparent colour.
    static QImage CheckMarkImage(bool reversed);

private:
    QPixmap m_normal;
    QPixmap m_reversed;
};

}  // namespace dayloom

#include "ui/iconlistbox.h"

#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "ui/uiutil.h"

namespace dayloom {

namespace {

IconListBoxBase::DragRunner& dragRunner()
{
    static IconListBoxBase::DragRunner runner;
    return runner;
}

}  // namespace

bool IsIconDrag(const QMimeData* data)
{
    return data && data->hasFormat(QString::fromLatin1(kIconDragMimeType));
}

// Draws a cell: its background (the highlight when selected), the icon
// centred in it, and the focus frame of the current cell.
class IconItemDelegate : public QStyledItemDelegate {
public:
    explicit IconItemDelegate(IconListBoxBase* box) : QStyledItemDelegate(box), m_box(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(r, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        const QImage icon = m_box->Icon(index.row());
        if (!icon.isNull())
            painter->drawImage(r.left() + (r.width() - icon.width()) / 2,
                               r.top() + (r.height() - icon.height()) / 2, icon);
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.initFrom(m_box);
            focus.rect = r;
            focus.backgroundColor = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
            m_box->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_box);
        }
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return QSize(m_box->ColumnWidth(), m_box->ItemHeight());
    }

private:
    IconListBoxBase* m_box;
};

IconListBoxBase::IconListBoxBase(int allowance, QWidget* parent)
    : QListWidget(parent), m_allowance(allowance)
{
    setItemDelegate(new IconItemDelegate(this));
    setUniformItemSizes(true);
    setGridSize(QSize(ColumnWidth(), ItemHeight()));
    setSpacing(0);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Dragging starts from the box by itself; nothing is dropped on it.
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    // White and flat.
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(ItemHeight());
    setFont(f);
    updateEnabled();
}

void IconListBoxBase::SetFileName(const QString& fileName)
{
    if (fileName == m_fileName)
        return;
    m_fileName = fileName;
    reload();
    Q_EMIT FileChanged();
}

void IconListBoxBase::SetAutoDisable(bool autoDisable)
{
    if (autoDisable == m_autoDisable)
        return;
    m_autoDisable = autoDisable;
    updateEnabled();
}

void IconListBoxBase::SetEnableCaching(bool caching)
{
    if (caching == m_caching)
        return;
    m_caching = caching;
    if (!caching)
        reload();
}

void IconListBoxBase::updateEnabled()
{
    // A library that is missing or holds no icons leaves the box disabled.
    setEnabled(!m_autoDisable || (m_count > 0 && QFileInfo(m_fileName).isFile()));
}

void IconListBoxBase::reload()
{
    // 1. The old icons go with their items.
    clear();
    m_icons.clear();
    m_library = IconLibrary();
    m_count = -1;
    // 2.
    updateEnabled();
    // 3.
    if (!m_fileName.isEmpty() && QFileInfo(m_fileName).isFile()) {
        m_library = IconLibrary::FromFile(m_fileName);
        m_count = m_library.Count();
        m_icons.resize(size_t(m_count));
        QStringList numbers;
        numbers.reserve(m_count);
        for (int i = 0; i < m_count; ++i)
            numbers << QString::number(i);
        addItems(numbers);
        if (!m_caching && m_count > 0) {
            ShowWaitCursor();
            for (int i = 0; i < m_count; ++i)
                Icon(i);
            RestoreCursor();
        }
        if (m_count > 0)
            setCurrentRow(0);
        updateEnabled();
    }
}

QImage IconListBoxBase::Icon(int index)
{
    if (index < 0 || size_t(index) >= m_icons.size())
        return QImage();
    std::optional<QImage>& slot = m_icons[size_t(index)];
    if (!slot)
        slot = m_library.Icon(index);
    return *slot;
}

bool IconListBoxBase::IsExtracted(int index) const
{
    return index >= 0 && size_t(index) < m_icons.size() && m_icons[size_t(index)].has_value();
}

QMimeData* IconListBoxBase::SelectedIconData() const
{
    const int row = currentRow();
    const QList<QListWidgetItem*> selected = selectedItems();
    if (row < 0 || selected.isEmpty())
        return nullptr;
    const QImage icon = const_cast<IconListBoxBase*>(this)->Icon(row);
    if (icon.isNull())
        return nullptr;
    auto* data = new QMimeData;
    data->setImageData(icon);
    data->setData(QString::fromLatin1(kIconDragMimeType),
                  (m_fileName + u'\n' + QString::number(row)).toUtf8());
    return data;
}

QStringList IconListBoxBase::mimeTypes() const
{
    return {QString::fromLatin1(kIconDragMimeType), QStringLiteral("application/x-qt-image")};
}

QMimeData* IconListBoxBase::mimeData(const QList<QListWidgetItem*>&) const
{
    return SelectedIconData();
}

void IconListBoxBase::SetDragRunner(DragRunner runner) { dragRunner() = std::move(runner); }

void IconListBoxBase::startDrag(Qt::DropActions)
{
    QMimeData* data = SelectedIconData();
    if (!data)
        return;
    if (dragRunner()) {
        dragRunner()(data);
        delete data;
        return;
    }
    const QImage icon = qvariant_cast<QImage>(data->imageData());
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(QPixmap::fromImage(icon));
    drag->setHotSpot(QPoint(icon.width() / 2, icon.height() / 2));
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

// ---- TIconListBox ---------------------------------------------------------------

TIconListBox::TIconListBox(QWidget* parent) : IconListBoxBase(6, parent)
{
    // Icons fill a column from the top, then the next one: the box scrolls
    // sideways.
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fitToGrid();
}

void TIconListBox::SetXIcons(int columns)
{
    if (columns < 1 || columns == m_xIcons)
        return;
    m_xIcons = columns;
    fitToGrid();
}

void TIconListBox::SetYIcons(int rows)
{
    if (rows < 1 || rows == m_yIcons)
        return;
    m_yIcons = rows;
    fitToGrid();
}

void TIconListBox::fitToGrid()
{
    const int w = ColumnWidth() * m_xIcons + 2;
    // A box that was narrower than its grid shows a scroll bar below it.
    const int h = width() < w
        ? ItemHeight() * m_yIcons + horizontalScrollBar()->sizeHint().height() + 1
        : ItemHeight() * m_yIcons + 3;
    resize(w, h);
}

// ---- TGIconListBox ----------------------------------------------------------------

TGIconListBox::TGIconListBox(QWidget* parent) : IconListBoxBase(2, parent)
{
    setWrapping(false);
    SetOrientation(lbVertical);
    setFlow(QListView::TopToBottom);
}

void TGIconListBox::SetOrientation(TOrientation orientation)
{
    m_orientation = orientation;
    setFlow(orientation == lbHorizontal ? QListView::LeftToRight : QListView::TopToBottom);
}

}  // namespace dayloom

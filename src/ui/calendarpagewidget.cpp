#include "ui/calendarpagewidget.h"

#include <exception>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "core/screen.h"

#include "objects/tggraphiccontrol.h"
#include "objects/tghandle.h"
#include "page/tcalendarpanel32.h"
#include "ui/objects/objectmenu.h"
#include "ui/uiutil.h"
#include "undo/editrecorder.h"

namespace dayloom {

CalendarPageWidget::CalendarPageWidget(TCalendarPanel32* page, QWidget* parent)
    : QWidget(parent), m_page(page)
{
    setObjectName(QStringLiteral("CalendarPanel"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(page, &TGBasePanel::RepaintRequested, this, qOverload<>(&QWidget::update));
    connect(page, &TGBasePanel::SizeChanged, this, [this] { fitToPage(); });
    connect(page, &TGBasePanel::CursorRequested, this,
            [](Qt::CursorShape shape) { SetScreenCursor(shape); });
    connect(page, &TGBasePanel::ObjectCursorRequested, this, [this](Qt::CursorShape shape) {
        if (shape == Qt::ArrowCursor)
            unsetCursor();
        else
            setCursor(shape);
    });
    page->SetMenuPresenter([this](const MenuEntryList& menu, QPoint at) {
        const MenuEntryList shown = recordedMenu(menu, at);
        if (m_menuChooser)
            m_menuChooser(shown, at);
        else
            ExecMenu(shown, mapToGlobal(at), this);
    });
    page->SetView(Mapping());
    fitToPage();
}

PageMapping CalendarPageWidget::Mapping() const
{
    return PageMapping::Screen(m_zoom, ScreenPPI());
}

QSize CalendarPageWidget::PageSize() const
{
    return Mapping().MapSize(m_page->Size());
}

void CalendarPageWidget::fitToPage()
{
    const QSize size = PageSize();
    if (size.isValid())
        resize(size);
}

void CalendarPageWidget::SetZoom(Zoom zoom)
{
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    m_page->SetView(Mapping());
    fitToPage();
    update();
}

template <class F>
void CalendarPageWidget::guarded(F&& f)
{
    // A failure inside a command (an object that cannot be set up, a file
    // that cannot be read) is shown and the program carries on.
    try {
        f();
    } catch (const std::exception& e) {
        ShowMessage(QMessageBox::Critical, QStringLiteral("Error"), QString::fromLocal8Bit(e.what()));
    }
}

template <class F>
void CalendarPageWidget::recorded(QPoint point, bool content, bool keyboard, const QString& text, F&& f)
{
    if (!m_recorder) {
        f();
        return;
    }
    EditRecorder::ObjectEdit edit;
    edit.Text = text;
    edit.Content = content;
    edit.Keyboard = keyboard;
    if (TGGraphicControl* o = m_page->TopObjectAt(point))
        edit.Targets << o;
    m_recorder->RecordObjects(edit, f);
}

namespace {

// The commands of the two popup menus that change no more than where the
// objects are, their layering and their two flags (or nothing at all).
// Every other item may change what an object is (its dialogs, toggles, the
// font) and is compared as whole records.
bool layoutCommand(const QString& caption)
{
    static const QStringList kCaptions = {
        QStringLiteral("Bring To Front"), QStringLiteral("Send To Back"), QStringLiteral("Cut"),
        QStringLiteral("Copy"), QStringLiteral("Paste"), QStringLiteral("Delete"),
        QStringLiteral("Clone"), QStringLiteral("Locked"), QStringLiteral("Unselectable"),
        QStringLiteral("Center Vertically"), QStringLiteral("Center Horizontally"),
        QStringLiteral("Align Left"), QStringLiteral("Align Right"), QStringLiteral("Align Tops"),
        QStringLiteral("Align Bottoms"), QStringLiteral("Lock All"), QStringLiteral("Unlock All"),
        QStringLiteral("Mark All Selectable"), QStringLiteral("Mark All Unselectable"),
        QStringLiteral("Select All")};
    return kCaptions.contains(caption);
}

}  // namespace

MenuEntryList CalendarPageWidget::recordedMenu(const MenuEntryList& menu, QPoint point, const QString& prefix)
{
    if (!m_recorder)
        return menu;
    MenuEntryList out = menu;
    for (MenuEntry& item : out) {
        if (item.IsSeparator())
            continue;
        // A submenu's items are named with it ("Alignment Left").
        const QString name = prefix.isEmpty() ? item.caption : prefix + QLatin1Char(' ') + item.caption;
        if (!item.submenu.isEmpty())
            item.submenu = recordedMenu(item.submenu, point, name);
        if (!item.action)
            continue;
        const bool content = prefix.isEmpty() ? !layoutCommand(item.caption) : true;
        item.action = [this, point, content, name, action = item.action] {
            guarded([&] { recorded(point, content, false, name, action); });
        };
    }
    return out;
}

PageGeometry CalendarPageWidget::Geometry() const
{
    return m_page->Geometry(Mapping());
}

TCellRecord CalendarPageWidget::CellRecord(int cell) const
{
    if (cell < 1 || cell > TCalendarPanel32::CellCount)
        return TCellRecord();
    return Geometry().Cells[cell - 1];
}

int CalendarPageWidget::CellAtPoint(QPoint point) const
{
    const PageGeometry g = Geometry();
    for (int k = 0; k < TCalendarPanel32::CellCount; ++k)
        if (g.Cells[k].rTotal.Contains(point))
            return k + 1;
    return 0;
}

void CalendarPageWidget::CellClickAtPoint(QPoint point)
{
    if (const int k = CellAtPoint(point))
        m_page->CellClick(k);
}

void CalendarPageWidget::Click(QPoint pos)
{
    if (!m_page->Pointing())
        return;
    const PageGeometry g = Geometry();
    int k = 0;
    for (int i = 0; i < TCalendarPanel32::CellCount && k == 0; ++i)
        if (g.Cells[i].rTotal.Contains(pos))
            k = i + 1;
    if (g.TitleRect.Contains(pos))
        Q_EMIT OnClickedHeader();
    if (g.HeaderRect.Contains(pos))
        Q_EMIT OnClickedDaysArea();
    if (k != 0 && g.PageKind != PageGeometry::None) {
        if (!m_page->CellEventConnected() || m_page->ObjectAtPoint(pos))
            return;
        m_page->CellClick(k);
        return;
    }
    Q_EMIT OnClick();
}

void CalendarPageWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    m_page->PaintView(p, m_offscreen);
    ++m_paints;
    Q_EMIT Painted();
}

void CalendarPageWidget::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const qint64 time = qint64(event->timestamp());
    guarded([&] {
        const bool overObjects = (m_page->Handle()->Visible() && m_page->Handle()->Bounds().contains(pos)) ||
                                 m_page->ObjectAtPoint(pos);
        recorded(pos, false, false, QString(),
                 [&] { m_page->MousePress(pos, event->button(), event->modifiers(), time); });
        if (event->button() == Qt::LeftButton && !overObjects)
            Click(pos);
    });
    event->accept();
}

void CalendarPageWidget::mouseMoveEvent(QMouseEvent* event)
{
    guarded([&] {
        auto move = [&] {
            m_page->MouseMove(event->position().toPoint(), event->buttons(), event->modifiers(),
                              qint64(event->timestamp()));
        };
        if (!m_recorder) {
            move();
            return;
        }
        // Moves draw outlines only: a cheap look before and after.
        EditRecorder::ObjectEdit edit;
        edit.Records = false;
        m_recorder->RecordObjects(edit, move);
    });
    event->accept();
}

void CalendarPageWidget::mouseReleaseEvent(QMouseEvent* event)
{
    guarded([&] {
        const QPoint pos = event->position().toPoint();
        recorded(pos, false, false, QString(), [&] {
            m_page->MouseRelease(pos, event->button(), event->modifiers(), qint64(event->timestamp()));
        });
    });
    event->accept();
}

void CalendarPageWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click may open an object's own dialog.
    guarded([&] {
        const QPoint pos = event->position().toPoint();
        recorded(pos, true, false, QString(), [&] {
            m_page->MouseDoubleClick(pos, event->button(), event->modifiers(), qint64(event->timestamp()));
        });
    });
    event->accept();
}

void CalendarPageWidget::keyPressEvent(QKeyEvent* event)
{
    bool taken = false;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    QString text;
    if (ctrl && event->key() == Qt::Key_V)
        text = QStringLiteral("Paste");
    else if (ctrl && event->key() == Qt::Key_X)
        text = QStringLiteral("Cut");
    else if (event->key() == Qt::Key_Delete)
        text = QStringLiteral("Delete");
    guarded([&] {
        recorded(QPoint(-1, -1), false, false, text,
                 [&] { taken = m_page->KeyPress(event->key(), event->modifiers()); });
    });
    if (!taken)
        QWidget::keyPressEvent(event);
}

void CalendarPageWidget::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    bool taken = false;
    // The arrow keys move the selection when they go up; moves of the same
    // selection one after the other are one step.
    guarded([&] {
        recorded(QPoint(-1, -1), false, true, QString(),
                 [&] { taken = m_page->KeyRelease(event->key(), event->modifiers()); });
    });
    if (!taken)
        QWidget::keyReleaseEvent(event);
}

bool CalendarPageWidget::focusNextPrevChild(bool)
{
    // The arrow keys and Tab stay with the page while objects are selected.
    return m_page->Handle()->Count() == 0 && QWidget::focusNextPrevChild(true);
}

}  // namespace dayloom

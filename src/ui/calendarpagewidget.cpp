#include "ui/calendarpagewidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "objects/tggraphiccontrol.h"
#include "page/tcalendarpanel32.h"
#include "ui/uiutil.h"

namespace dayloom {

CalendarPageWidget::CalendarPageWidget(TCalendarPanel32* page, QWidget* parent)
    : QWidget(parent), m_page(page)
{
    setObjectName(QStringLiteral("CalendarPanel"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(page, &TGBasePanel::RepaintRequested, this, qOverload<>(&QWidget::update));
    connect(page, &TGBasePanel::SizeChanged, this, [this](QSize size) {
        if (size.isValid())
            resize(size);
    });
    connect(page, &TGBasePanel::CursorRequested, this,
            [](Qt::CursorShape shape) { SetScreenCursor(shape); });
    const QSize size = page->ControlSize();
    if (size.isValid())
        resize(size);
}

void CalendarPageWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    m_page->Paint(p);
    for (TGGraphicControl* object : m_page->Objects())
        object->Paint(p);
    ++m_paints;
    Q_EMIT Painted();
}

void CalendarPageWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_page->Click(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

}  // namespace dayloom

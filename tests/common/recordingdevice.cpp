#include "common/recordingdevice.h"

#include <QPainterPath>
#include <QTextItem>

namespace dayloom::test {

class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(RecordingDevice* device) : QPaintEngine(AllFeatures), m_device(device) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
        if (state.state() & DirtyPen)
            m_pen = state.pen();
        if (state.state() & DirtyBrush)
            m_brush = state.brush();
        if (state.state() & DirtyFont)
            m_font = state.font();
    }

    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            add(RecordingDevice::Item::Rect, m_transform.mapRect(rects[i]),
                m_brush.style() != Qt::NoBrush ? m_brush.color() : m_pen.color());
    }
    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRectF r(rects[i]);
            drawRects(&r, 1);
        }
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            add(RecordingDevice::Item::Line,
                m_transform.mapRect(QRectF(lines[i].p1(), lines[i].p2()).normalized()), m_pen.color());
    }
    void drawLines(const QLine* lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QLineF l(lines[i]);
            drawLines(&l, 1);
        }
    }
    void drawPath(const QPainterPath& path) override
    {
        add(RecordingDevice::Item::Path, m_transform.map(path).boundingRect(), m_brush.color());
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override
    {
        add(RecordingDevice::Item::Polygon, m_transform.map(QPolygonF(QList<QPointF>(points, points + count))).boundingRect(),
            m_brush.color());
    }
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF&) override
    {
        RecordingDevice::Item& item = add(RecordingDevice::Item::Image, m_transform.mapRect(r), QColor());
        item.source = pm.size();
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF&, Qt::ImageConversionFlags) override
    {
        RecordingDevice::Item& item = add(RecordingDevice::Item::Image, m_transform.mapRect(r), QColor());
        item.source = image.size();
    }
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override
    {
        const qreal w = textItem.width();
        const QRectF r(p.x(), p.y() - textItem.ascent(), w, textItem.ascent() + textItem.descent());
        RecordingDevice::Item& item = add(RecordingDevice::Item::Text, m_transform.mapRect(r), m_pen.color());
        item.text = textItem.text();
    }

private:
    RecordingDevice::Item& add(RecordingDevice::Item::Kind kind, const QRectF& rect, const QColor& color)
    {
        m_device->m_items.append(RecordingDevice::Item{kind, rect, QString(), QSize(), color, m_device->m_page});
        return m_device->m_items.last();
    }

    RecordingDevice* m_device;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    QFont m_font;
};

RecordingDevice::RecordingDevice(double widthInch, double heightInch, int dpi)
    : m_dpi(dpi), m_size(int(widthInch * dpi), int(heightInch * dpi)),
      m_engine(std::make_unique<RecordingEngine>(this))
{
}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine* RecordingDevice::paintEngine() const { return m_engine.get(); }

void RecordingDevice::NewPage()
{
    m_items.append(Item{Item::PageBreak, QRectF(), QString(), QSize(), QColor(), m_page});
    ++m_page;
}

QList<RecordingDevice::Item> RecordingDevice::ItemsOf(Item::Kind kind) const
{
    QList<Item> out;
    for (const Item& i : m_items)
        if (i.kind == kind)
            out << i;
    return out;
}

QStringList RecordingDevice::Texts() const
{
    QStringList out;
    for (const Item& i : m_items)
        if (i.kind == Item::Text)
            out << i.text;
    return out;
}

RecordingDevice::Item RecordingDevice::FindText(const QString& t) const
{
    for (const Item& i : m_items)
        if (i.kind == Item::Text && i.text == t)
            return i;
    return Item{Item::Text, QRectF(), QString(), QSize(), QColor(), -1};
}

int RecordingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return int(m_size.width() * 25.4 / m_dpi);
    case PdmHeightMM:
        return int(m_size.height() * 25.4 / m_dpi);
    case PdmNumColors:
        return 0x7fffffff;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_dpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    default:
        return 0;
    }
}

}  // namespace dayloom::test

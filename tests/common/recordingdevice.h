#pragma once

#include <QColor>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QSize>
#include <QString>
#include <memory>

namespace dayloom::test {

// A paint device that records what is drawn on it, in device units: the
// report layer's stand-in for a printer in tests. Each item keeps its kind,
// its bounding rectangle on the device (after the painter's transform),
// the text of a text item and the pixel size of a drawn picture.
class RecordingDevice : public QPaintDevice {
public:
    struct Item {
        enum Kind { Line, Rect, Path, Polygon, Text, Image, PageBreak };
        Kind kind;
        QRectF rect;        // device units
        QString text;       // Text
        QSize source;       // Image: the picture's own pixels
        QColor color;       // pen colour (lines, text) or brush colour (fills)
        int page = 0;       // sheet number from 0
    };

    // A sheet of widthInch x heightInch at dpi units per inch.
    RecordingDevice(double widthInch, double heightInch, int dpi);
    ~RecordingDevice() override;

    QPaintEngine* paintEngine() const override;
    const QList<Item>& Items() const { return m_items; }
    void Clear()
    {
        m_items.clear();
        m_page = 0;
    }
    // Marks the start of the next sheet.
    void NewPage();
    int Dpi() const { return m_dpi; }
    // Items of a kind, and the texts in drawing order.
    QList<Item> ItemsOf(Item::Kind kind) const;
    QStringList Texts() const;
    // The first text item whose text is t (kind Text); null rect when none.
    Item FindText(const QString& t) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class RecordingEngine;
    QList<Item> m_items;
    int m_page = 0;
    int m_dpi;
    QSize m_size;
    std::unique_ptr<QPaintEngine> m_engine;
};

}  // namespace dayloom::test

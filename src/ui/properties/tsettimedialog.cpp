#include "ui/properties/tsettimedialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/tcolor.h"

namespace dayloom {

namespace {

constexpr int TileWidth = 28;
constexpr int TileHeight = 22;

QPushButton* makeTile(const QString& text, const QString& hint, QWidget* parent)
{
    auto* tile = new QPushButton(text, parent);
    tile->setFixedSize(TileWidth, TileHeight);
    tile->setToolTip(hint);
    tile->setFocusPolicy(Qt::NoFocus);
    return tile;
}

}  // namespace

TSetTimeDialog::TSetTimeDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SetTimeDialog"));
    // A caption only: no system menu, no minimise or maximise boxes.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    const QString hourHint = QStringLiteral("Click to set the hours portion of the time");
    auto* hourBox = new QGroupBox(QStringLiteral("  Hour"), this);
    auto* hourGrid = new QGridLayout(hourBox);
    hourGrid->setSpacing(2);
    hourGrid->addWidget(new QLabel(QStringLiteral("AM"), hourBox), 0, 0);
    hourGrid->addWidget(new QLabel(QStringLiteral("PM"), hourBox), 1, 0);
    for (int h = 0; h < 24; ++h) {
        const int shown = h % 12 == 0 ? 12 : h % 12;
        QPushButton* tile = makeTile(QString::number(shown), hourHint, hourBox);
        tile->setObjectName(QStringLiteral("Hour%1").arg(h));
        hourGrid->addWidget(tile, h / 12, 1 + h % 12);
        connect(tile, &QPushButton::clicked, this, [this, h] { HourClick(h); });
        m_hours.append(tile);
    }
    layout->addWidget(hourBox);

    const QString minuteHint = QStringLiteral("Click to set the minutes portion of the time");
    auto* minuteBox = new QGroupBox(QStringLiteral("  Minute"), this);
    auto* minuteGrid = new QGridLayout(minuteBox);
    minuteGrid->setSpacing(2);
    for (int m = 0; m < 60; ++m) {
        QPushButton* tile =
            makeTile(QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')), minuteHint, minuteBox);
        tile->setObjectName(QStringLiteral("Minute%1").arg(m));
        minuteGrid->addWidget(tile, m / 10, m % 10);
        connect(tile, &QPushButton::clicked, this, [this, m] { MinuteClick(m); });
        m_minutes.append(tile);
    }
    layout->addWidget(minuteBox);

    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);  // Esc rejects as well
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    refreshTiles();
}

QString TSetTimeDialog::CaptionTime(const QTime& time)
{
    const int h12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(h12, 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
}

void TSetTimeDialog::SetTime(const QTime& time)
{
    const QTime t = time.isValid() ? time : QTime(0, 0);
    m_hour = t.hour();
    m_minute = t.minute();
    refreshTiles();
}

QPushButton* TSetTimeDialog::HourTile(int hour) const
{
    return hour >= 0 && hour < m_hours.size() ? m_hours[hour] : nullptr;
}

QPushButton* TSetTimeDialog::MinuteTile(int minute) const
{
    return minute >= 0 && minute < m_minutes.size() ? m_minutes[minute] : nullptr;
}

bool TSetTimeDialog::TileSelected(QPushButton* tile) const
{
    return tile && tile->property("selectedTile").toBool();
}

void TSetTimeDialog::HourClick(int hour)
{
    if (hour < 0 || hour > 23)
        return;
    m_hour = hour;
    refreshTiles();
}

void TSetTimeDialog::MinuteClick(int minute)
{
    if (minute < 0 || minute > 59)
        return;
    m_minute = minute;
    refreshTiles();
}

void TSetTimeDialog::refreshTiles()
{
    m_time = QTime(m_hour, m_minute);
    setWindowTitle(QStringLiteral("Set Time As: ") + CaptionTime(m_time));
    const QString face = ToQColor(clBtnFace).name();
    const QString yellow = ToQColor(clYellow).name();  // 00FFFF as BGR
    auto paint = [&](QPushButton* tile, bool selected) {
        tile->setProperty("selectedTile", selected);
        tile->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid "
                                           "#808080; padding: 0px; }")
                                .arg(selected ? yellow : face));
    };
    for (int h = 0; h < m_hours.size(); ++h)
        paint(m_hours[h], h == m_hour);
    for (int m = 0; m < m_minutes.size(); ++m)
        paint(m_minutes[m], m == m_minute);
}

}  // namespace dayloom

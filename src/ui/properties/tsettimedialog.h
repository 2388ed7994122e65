#pragma once

#include <QDialog>
#include <QTime>
#include <QVector>

class QPushButton;

namespace dayloom {

// Picks the day planners' starting time: 24 hour tiles and 60 minute tiles;
// the chosen pair shows in yellow and in the caption.
class TSetTimeDialog : public QDialog {
    Q_OBJECT
public:
    explicit TSetTimeDialog(QWidget* parent = nullptr);

    // Splits the time into its hour and minute tiles.
    void SetTime(const QTime& time);
    QTime Time() const { return m_time; }

    // Tiles by value: hours 0..23, minutes 0..59 (nullptr out of range).
    QPushButton* HourTile(int hour) const;
    QPushButton* MinuteTile(int minute) const;
    bool TileSelected(QPushButton* tile) const;

    void HourClick(int hour);
    void MinuteClick(int minute);

    // "hh:mm am/pm", hours 12, 01 .. 11.
    static QString CaptionTime(const QTime& time);

private:
    void refreshTiles();

    QVector<QPushButton*> m_hours;
    QVector<QPushButton*> m_minutes;
    int m_hour = 8;
    int m_minute = 0;
    QTime m_time = QTime(8, 0);
};

}  // namespace dayloom

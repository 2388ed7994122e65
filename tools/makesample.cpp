// Writes the sample calendar shipped in data/samples: December 2026 with a
// border picture, a title, formatted text in several day cells and two
// pieces of clip art beside the title.
//
//   makesample data/samples/Sample.DLF
#include <cmath>
#include <cstdio>

#include <QDate>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include "core/screen.h"
#include "imaging/bmpfile.h"
#include "objects/tgimage.h"
#include "objects/tpicture.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"

using namespace dayloom;

namespace {

struct Note {
    int day;
    const char* rtf;  // the paragraph's RTF, inside the document's groups
};

const Note kNotes[] = {
    {1, "\\f0\\fs18 Advent calendar \\b door 1\\b0"},
    {6, "\\f1\\fs20\\i St Nicholas\\i0\\par\\fs16 shoes by the door"},
    {12, "\\f0\\fs18\\cf2 Choir rehearsal\\cf0\\par\\fs16 7:30 pm, church hall"},
    {13, "\\f0\\fs18 Cookie baking\\par\\fs16\\ul Grandma's recipe\\ulnone"},
    {19, "\\f0\\fs18\\b Carol concert\\b0\\par\\fs16 tickets at the door"},
    {21, "\\f1\\fs20\\i\\cf3 Winter solstice\\cf0\\i0"},
    {24, "\\f1\\fs22\\b\\cf1 Christmas Eve\\cf0\\b0"},
    {25, "\\f1\\fs26\\b\\cf1 Christmas Day\\cf0\\b0\\par\\fs16 dinner at 2 pm"},
    {26, "\\f0\\fs18 Boxing Day\\par\\fs16\\i walk to the lake\\i0"},
    {31, "\\f1\\fs20\\b\\cf2 New Year's Eve\\cf0\\b0\\par\\fs16 fireworks at midnight"},
};

QByteArray rtfDocument(const char* body)
{
    return QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New "
                      "Roman;}}{\\colortbl;\\red192\\green0\\blue0;\\red0\\green96\\blue0;"
                      "\\red0\\green0\\blue160;}") +
           body + "\\par}";
}

// A gold star over two holly leaves and berries, on the title's colour.
QImage starArt(int size, QColor background)
{
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(background);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size * 0.42);
    auto leaf = [&](double angle) {
        QPainterPath path;
        path.moveTo(0, 0);
        path.cubicTo(size * 0.12, -size * 0.14, size * 0.32, -size * 0.12, size * 0.42, 0);
        path.cubicTo(size * 0.32, size * 0.12, size * 0.12, size * 0.14, 0, 0);
        p.save();
        p.translate(size / 2.0, size * 0.72);
        p.rotate(angle);
        p.setPen(QPen(QColor(10, 70, 20), 1.5));
        p.setBrush(QColor(30, 120, 40));
        p.drawPath(path);
        p.restore();
    };
    leaf(-160);
    leaf(-20);
    p.setPen(QPen(QColor(110, 0, 0), 1));
    p.setBrush(QColor(200, 20, 30));
    for (double dx : {-0.06, 0.06, 0.0})
        p.drawEllipse(QPointF(size * (0.5 + dx), size * (dx == 0.0 ? 0.68 : 0.75)), size * 0.055, size * 0.055);
    QPolygonF star;
    for (int k = 0; k < 10; ++k) {
        const double r = (k % 2 ? 0.16 : 0.38) * size;
        const double a = qDegreesToRadians(-90.0 + 36.0 * k);
        star << c + QPointF(r * std::cos(a), r * std::sin(a));
    }
    p.setPen(QPen(QColor(150, 100, 0), 2));
    p.setBrush(QColor(245, 190, 30));
    p.drawPolygon(star);
    return img;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    SetScreenPPI(96);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesample OUT.DLF\n");
        return 2;
    }
    TCalendarPanel32 page;
    TCalendarPanel32::ApplyMainWindowDescription(page);
    page.ResetPage();
    page.SetCalendarLayout(LOFullCalendarLS);
    page.SetMainCalDay(1);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(2026);
    page.SetStartOfWeek(1);
    page.SetTitleBGColor(0x00E8F0FF);
    page.SetHeadersBGColor(0x00203080);
    page.SetHeadersFont(page.HeadersFont().WithColor(clWhite));
    page.SetTitleFont(page.TitleFont().WithColor(0x00101090));
    page.SetHeadersStyle(dsWhole);
    page.SetWMFBorderFile(QStringLiteral("Holly"));
    page.SetUserTitle(QStringLiteral("December 2026"));
    for (const Note& note : kNotes) {
        // Weeks start on Sunday: the first row begins with the Sunday on or
        // before the 1st.
        const int cell = note.day + QDate(2026, 12, 1).dayOfWeek() % 7;
        TWPRtfStorage text;
        text.SetRtfText(rtfDocument(note.rtf));
        page.SetCellText(cell, text);
    }
    // Clip art left and right of the title, centred in its band.
    const TRect title = page.TitleRect();
    const int art = qMin(96, title.Height() - 16);
    const QColor band(0xFF, 0xF0, 0xE8);  // the title colour set above
    const BmpFile star = BmpFile::FromImage(starArt(art, band));
    for (int side = 0; side < 2; ++side) {
        auto* image = new TGImage;
        image->setObjectName(QStringLiteral("Special%1").arg(side + 1));
        page.AddObject(image);
        const int left = side == 0 ? title.Left + 90 : title.Right - 90 - art;
        image->SetBounds(QRect(left, title.Top + (title.Height() - art) / 2, art, art));
        image->Picture()->SetBitmap(star);
        image->SetReverse(side == 1);
    }
    try {
        CalendarDocument::SaveToFile(page, QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "makesample: %s\n", e.what());
        return 3;
    }
    return 0;
}

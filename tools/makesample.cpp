// Writes the sample calendar shipped in data/samples: December 2026 with a
// border picture, a title and formatted text in several day cells.
//
//   makesample data/samples/Sample.DLF
#include <cstdio>

#include <QDate>
#include <QGuiApplication>

#include "core/screen.h"
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
    page.HeadersFont()->SetColor(clWhite);
    page.TitleFont()->SetColor(0x00101090);
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
    try {
        CalendarDocument::SaveToFile(page, QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "makesample: %s\n", e.what());
        return 3;
    }
    return 0;
}

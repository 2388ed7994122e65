#include "print/pdfexport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "page/tcalendarpanel32.h"
#include "print/pictureexport.h"
#include "print/reportprinter.h"

namespace dayloom {

QByteArray PdfExport::Render(TCalendarPanel32& page, const PrintJobOptions& options, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    bool ok = false;
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(Resolution);
        pdf.setCreator(QStringLiteral("Dayloom"));
        pdf.setTitle(title);
        const QPageSize paper(page.PaperSize() == 1 ? QPageSize::A4 : QPageSize::Letter);
        const QPageLayout::Orientation orientation =
            page.CalendarOrientation() == coLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
        pdf.setPageLayout(QPageLayout(paper, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Inch));
        ReportPrinter report(&pdf);
        ok = report.Execute([&](ReportPrinter& r) { CalendarPrintJob::Print(r, page, options); });
    }
    buffer.close();
    return ok ? bytes : QByteArray();
}

bool PdfExport::Save(TCalendarPanel32& page, const QString& path, const PrintJobOptions& options)
{
    const QByteArray bytes = Render(page, options, QFileInfo(path).completeBaseName());
    return !bytes.isEmpty() && PictureExport::WriteFile(path, bytes);
}

}  // namespace dayloom

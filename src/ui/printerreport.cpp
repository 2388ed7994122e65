#include "ui/printerreport.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace dayloom {

namespace {

double inchesPer(QPageLayout::Unit unit)
{
    switch (unit) {
    case QPageLayout::Millimeter:
        return 1.0 / 25.4;
    case QPageLayout::Point:
        return 1.0 / 72.0;
    case QPageLayout::Inch:
        return 1.0;
    case QPageLayout::Pica:
        return 1.0 / 6.0;
    case QPageLayout::Didot:
        return 0.375 / 25.4;
    case QPageLayout::Cicero:
        return 4.5 / 25.4;
    }
    return 1.0 / 72.0;
}

QString printerState(QPrinter::PrinterState state)
{
    switch (state) {
    case QPrinter::Idle:
        return QStringLiteral("idle");
    case QPrinter::Active:
        return QStringLiteral("printing");
    case QPrinter::Aborted:
        return QStringLiteral("stopped");
    case QPrinter::Error:
        break;
    }
    return QStringLiteral("error");
}

}  // namespace

QList<PrinterFact> InstalledPrinters(QString* defaultPrinter)
{
    QList<PrinterFact> printers;
    const QList<QPrinterInfo> infos = QPrinterInfo::availablePrinters();
    for (const QPrinterInfo& info : infos) {
        PrinterFact p;
        p.name = info.printerName();
        p.makeAndModel = info.makeAndModel().isEmpty() ? info.description() : info.makeAndModel();
        p.location = info.location();
        p.state = printerState(info.state());
        printers << p;
    }
    if (defaultPrinter)
        *defaultPrinter = QPrinterInfo::defaultPrinterName();
    return printers;
}

// The printer is made before the base is given it.
PrinterReport::PrinterReport() : PrinterReport(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

PrinterReport::PrinterReport(std::unique_ptr<QPrinter> printer)
    : ReportPrinter(printer.get()), m_printer(std::move(printer))
{
    m_printer->setFullPage(true);
    m_printer->setDocName(Title());
    m_printer->setCopyCount(1);
    m_printer->setFromTo(0, 0);
}

PrinterReport::~PrinterReport() = default;

QMarginsF PrinterReport::UnprintableMargins() const
{
    const QPageLayout layout = m_printer->pageLayout();
    const QMarginsF m = layout.minimumMargins();
    const double f = inchesPer(layout.units());
    return QMarginsF(m.left() * f, m.top() * f, m.right() * f, m.bottom() * f);
}

int PrinterReport::DeviceCopies() const
{
    const int copies = m_printer->copyCount();
    return copies < 1 ? 1 : copies;
}

int PrinterReport::DriverCopyLimit() const
{
    return m_printer->supportsMultipleCopies() ? UnlimitedCopies : 1;
}

void PrinterReport::SetCopies(int copies)
{
    ReportPrinter::SetCopies(copies);
    m_printer->setCopyCount(Copies());
}

bool PrinterReport::DeviceFailed() const
{
    return m_printer->printerState() == QPrinter::Error || m_printer->printerState() == QPrinter::Aborted;
}

}  // namespace dayloom

#pragma once

#include <memory>

#include <QList>
#include <QString>

#include "print/configurationreport.h"
#include "print/reportprinter.h"

class QPrinter;

namespace dayloom {

// The report layer on a system printer (CUPS through Qt's print support):
// full-page mode, so that inches are measured from the paper's corner; the
// printable area, copies and the driver's copy limit come from the printer.
class PrinterReport : public ReportPrinter {
public:
    // A printer at its own resolution on the default queue.
    PrinterReport();
    ~PrinterReport() override;

    QPrinter& Printer() { return *m_printer; }

    QMarginsF UnprintableMargins() const override;
    int DeviceCopies() const override;
    // Unlimited when the driver makes copies itself, else 1.
    int DriverCopyLimit() const override;
    void SetCopies(int copies) override;

protected:
    bool DeviceFailed() const override;

private:
    explicit PrinterReport(std::unique_ptr<QPrinter> printer);
    std::unique_ptr<QPrinter> m_printer;
};

// The printers the printing system knows, for the configuration report.
QList<PrinterFact> InstalledPrinters(QString* defaultPrinter);

}  // namespace dayloom

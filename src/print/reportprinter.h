#pragma once

#include <functional>
#include <limits>
#include <memory>

#include <QMarginsF>
#include <QString>

#include "core/pagemapping.h"

class QPaintDevice;
class QPainter;

namespace dayloom {

// The report layer: runs one print job on a device (a printer, a PDF file,
// a recording device) and measures in inches from the paper's top-left
// corner. A job is Execute: the device's painter is opened, the print event
// draws through Canvas() with the mapping of Mapping(), NewPage() ends a
// sheet, and the painter is closed. Printers add what only they have
// (printable area, copies) by overriding the virtual queries.
class ReportPrinter {
public:
    // The job's title as the print queue shows it, and the status text.
    static QString Title() { return QStringLiteral("ReportPrinter Report"); }
    static QString StatusFormat() { return QStringLiteral("Printing page %p"); }
    static constexpr int UnlimitedCopies = std::numeric_limits<int>::max();

    enum class Orientation { Portrait, Landscape };

    // The device stays the caller's; it must outlive the report.
    explicit ReportPrinter(QPaintDevice* device);
    virtual ~ReportPrinter();
    ReportPrinter(const ReportPrinter&) = delete;
    ReportPrinter& operator=(const ReportPrinter&) = delete;

    QPaintDevice* Device() const { return m_device; }

    // Portrait or landscape for the next job.
    virtual void SetOrientation(Orientation orientation);
    Orientation CurrentOrientation() const { return m_orientation; }
    // The distance of the printable area from the paper's edges, in inches,
    // for the current device and orientation (none for a file).
    virtual QMarginsF UnprintableMargins() const { return {}; }
    // The copies the device settings ask for (1 when there are none).
    virtual int DeviceCopies() const { return 1; }
    // The most copies the device makes of one sheet by itself.
    virtual int DriverCopyLimit() const { return 1; }
    // The copies the device is to make.
    virtual void SetCopies(int copies) { m_copies = copies < 1 ? 1 : copies; }
    int Copies() const { return m_copies; }

    // Runs a job: opens the painter, runs the print event with this report
    // and closes the painter. False, with ErrorText() set, when the device
    // cannot start or finish the job or the print event throws; the painter
    // is closed in every case.
    bool Execute(const std::function<void(ReportPrinter&)>& onPrint);
    // Ends the current sheet and starts the next. False when the device
    // cannot.
    bool NewPage();
    // The painter of the running job (only inside Execute).
    QPainter& Canvas();
    bool Active() const { return m_painter != nullptr; }
    QString ErrorText() const { return m_error; }
    // How many sheets the running or last job started.
    int Sheets() const { return m_sheets; }

    // Device units per inch, and the conversions both ways.
    double DotsPerInch() const;
    double InchesToDevice(double inches) const { return inches * DotsPerInch(); }
    double DeviceToInches(double units) const;
    // The paper mapping of a page laid out at pagePpi pixels per inch whose
    // top-left corner lies (xInch, yInch) from the paper's corner.
    PageMapping Mapping(int pagePpi, double xInch = 0.0, double yInch = 0.0) const;

protected:
    // The device could not finish the job (a printer reports it here).
    virtual bool DeviceFailed() const { return false; }
    // Starts the device's next sheet (a paged device's newPage()).
    virtual bool DeviceNewPage();
    void SetError(const QString& error) { m_error = error; }

private:
    QPaintDevice* m_device;
    Orientation m_orientation = Orientation::Portrait;
    std::unique_ptr<QPainter> m_painter;
    int m_copies = 1;
    int m_sheets = 0;
    QString m_error;
};

}  // namespace dayloom

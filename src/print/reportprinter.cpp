#include "print/reportprinter.h"

#include <exception>

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

namespace dayloom {

ReportPrinter::ReportPrinter(QPaintDevice* device) : m_device(device) {}

ReportPrinter::~ReportPrinter()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

void ReportPrinter::SetOrientation(Orientation orientation)
{
    m_orientation = orientation;
    if (auto* paged = dynamic_cast<QPagedPaintDevice*>(m_device))
        paged->setPageOrientation(orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait);
}

bool ReportPrinter::DeviceNewPage()
{
    auto* paged = dynamic_cast<QPagedPaintDevice*>(m_device);
    return paged && paged->newPage();
}

bool ReportPrinter::Execute(const std::function<void(ReportPrinter&)>& onPrint)
{
    m_error.clear();
    m_sheets = 0;
    if (!m_device) {
        m_error = QStringLiteral("No printer");
        return false;
    }
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_device)) {
        m_painter.reset();
        m_error = QStringLiteral("The printer cannot start the job");
        return false;
    }
    m_sheets = 1;
    bool ok = true;
    try {
        if (onPrint)
            onPrint(*this);
    } catch (const std::exception& e) {
        ok = false;
        m_error = QString::fromUtf8(e.what());
    } catch (...) {
        ok = false;
        m_error = QStringLiteral("The print job failed");
    }
    if (!m_painter->end() && ok) {
        ok = false;
        m_error = QStringLiteral("The printer cannot finish the job");
    }
    m_painter.reset();
    if (ok && DeviceFailed()) {
        ok = false;
        if (m_error.isEmpty())
            m_error = QStringLiteral("The printer reported an error");
    }
    return ok;
}

bool ReportPrinter::NewPage()
{
    if (!m_device || !m_painter)
        return false;
    if (!DeviceNewPage())
        return false;
    ++m_sheets;
    return true;
}

QPainter& ReportPrinter::Canvas()
{
    Q_ASSERT(m_painter);
    return *m_painter;
}

double ReportPrinter::DotsPerInch() const
{
    if (!m_device)
        return 72.0;
    const int dpi = m_device->logicalDpiX();
    return dpi > 0 ? double(dpi) : 72.0;
}

double ReportPrinter::DeviceToInches(double units) const
{
    return units / DotsPerInch();
}

PageMapping ReportPrinter::Mapping(int pagePpi, double xInch, double yInch) const
{
    return PageMapping::Paper(pagePpi, DotsPerInch(), xInch, yInch);
}

}  // namespace dayloom

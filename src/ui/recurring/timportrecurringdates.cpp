#include "ui/recurring/timportrecurringdates.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace dayloom {

TImportRecurringDates::TImportRecurringDates(const QStringList& entries,
                                             const QStringList& skipped, QWidget* parent)
    : CheckListDialog(QStringLiteral("Import Recurring Dates"), entries, parent)
{
    List()->selectAll();
    auto* caption = new QLabel(QStringLiteral("Skipped:"), this);
    m_skipped = new QListWidget(this);
    m_skipped->setObjectName(QStringLiteral("SkippedList"));
    m_skipped->setSelectionMode(QAbstractItemView::NoSelection);
    m_skipped->setFocusPolicy(Qt::NoFocus);
    m_skipped->addItems(skipped);
    m_skipped->setFixedHeight(110);
    caption->setVisible(!skipped.isEmpty());
    m_skipped->setVisible(!skipped.isEmpty());
    ListColumn()->addWidget(caption);
    ListColumn()->addWidget(m_skipped);
}

}  // namespace dayloom

#include "ui/recurring/teditrecurringdates.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "dates/holidays.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "ical/icalendarfile.h"
#include "ui/icalendarcommands.h"
#include "ui/recurring/recurringdialogs.h"
#include "ui/recurring/teditrecurringdateformula.h"
#include "ui/recurring/tgetholidays.h"
#include "ui/recurring/timportrecurringdates.h"
#include "ui/uiutil.h"

namespace dayloom {

namespace {

// Rows of 16 pixels, drawn with the list's normal colours.
class EntryRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
    }
};

// The list text without the padding a feast entry keeps, which would only
// make the row elide.
QString rowText(const QString& entry)
{
    QString text = EntryListText(entry);
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    text.truncate(end);
    return text;
}

}  // namespace

TEditRecurringDates::TEditRecurringDates(const QStringList& entries, const QString& programDir,
                                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_programDir(programDir),
      m_entries(entries)
{
    setWindowTitle(QStringLiteral("Recurring Dates"));
    std::stable_sort(m_entries.begin(), m_entries.end(), EntryLessThan);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("EntryList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setItemDelegate(new EntryRowDelegate(m_list));
    m_list->setUniformItemSizes(true);
    m_list->setMinimumSize(420, 280);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &TEditRecurringDates::updateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TEditRecurringDates::EditButtonClick);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    m_editButton = new QPushButton(QStringLiteral("Edit"), this);
    m_editButton->setObjectName(QStringLiteral("EditButton"));
    auto* add = new QPushButton(QStringLiteral("New"), this);
    add->setObjectName(QStringLiteral("NewButton"));
    m_deleteButton = new QPushButton(QStringLiteral("Delete"), this);
    m_deleteButton->setObjectName(QStringLiteral("DeleteButton"));
    auto* holidays = new QPushButton(QStringLiteral("Holidays"), this);
    holidays->setObjectName(QStringLiteral("HolidaysButton"));
    auto* import = new QPushButton(QStringLiteral("Import..."), this);
    import->setObjectName(QStringLiteral("ImportButton"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(ok, &QPushButton::clicked, this, &TEditRecurringDates::OKButtonClick);
    connect(m_editButton, &QPushButton::clicked, this, &TEditRecurringDates::EditButtonClick);
    connect(add, &QPushButton::clicked, this, &TEditRecurringDates::NewButtonClick);
    connect(m_deleteButton, &QPushButton::clicked, this, &TEditRecurringDates::DeleteButtonClick);
    connect(holidays, &QPushButton::clicked, this, &TEditRecurringDates::HolidaysButtonClick);
    connect(import, &QPushButton::clicked, this, &TEditRecurringDates::ImportButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ok, m_editButton, add, m_deleteButton, holidays, import, cancel})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fillList(m_entries.isEmpty() ? -1 : 0);
    m_list->setFocus();
}

int TEditRecurringDates::SelectedIndex() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

bool TEditRecurringDates::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        updateButtons();
    return QDialog::event(e);
}

void TEditRecurringDates::fillList(int select)
{
    m_list->clear();
    for (const QString& entry : m_entries)
        m_list->addItem(rowText(entry));
    if (select >= 0 && select < m_list->count()) {
        m_list->setCurrentRow(select);
        m_list->scrollToItem(m_list->item(select));
    }
    updateButtons();
}

void TEditRecurringDates::updateButtons()
{
    const bool selected = SelectedIndex() >= 0;
    m_editButton->setEnabled(selected);
    m_deleteButton->setEnabled(selected);
}

void TEditRecurringDates::addSorted(const QString& entry)
{
    // After entries that compare equal, as a sorted list adds a duplicate.
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), entry, EntryLessThan);
    const int index = int(at - m_entries.begin());
    m_entries.insert(index, entry);
    fillList(index);
}

void TEditRecurringDates::OKButtonClick()
{
    try {
        SaveRecurringList(m_entries, m_programDir);
    } catch (const RecurringFileError& e) {
        ShowError(QString::fromStdString(e.what()));
        return;
    }
    accept();
}

void TEditRecurringDates::EditButtonClick()
{
    const int index = SelectedIndex();
    if (index < 0) {
        QApplication::beep();
        return;
    }
    const QString entry = m_entries.at(index);
    const QChar kind = EntryKind(entry);
    if (kind == kFeastKind) {
        ShowInformation(QStringLiteral("This entry cannot be edited"));
        return;
    }
    if (kind != kNthWeekdayKind && kind != kWeekdayListKind && kind != kDayOfMonthKind)
        return;

    TEditRecurringDateFormula editor(this);
    editor.setWindowTitle(QStringLiteral("Edit Recurring Date Formula"));
    editor.SetEventText(EntryEventText(entry));
    editor.SetFormula(EntryFormula(entry));
    if (RunRecurringDialog(editor) != QDialog::Accepted)
        return;
    m_entries.removeAt(index);
    addSorted(MakeEntry(editor.EventText(), editor.Formula()));
}

void TEditRecurringDates::NewButtonClick()
{
    TEditRecurringDateFormula editor(this);
    editor.setWindowTitle(QStringLiteral("Add Recurring Date"));
    editor.SetEventText(QStringLiteral("[Enter event]"));
    editor.SetFormula(QStringLiteral("@"));
    if (RunRecurringDialog(editor) != QDialog::Accepted)
        return;
    addSorted(MakeEntry(editor.EventText(), editor.Formula()));
}

void TEditRecurringDates::DeleteButtonClick()
{
    const int index = SelectedIndex();
    if (index < 0)
        return;
    m_entries.removeAt(index);
    fillList(0);
}

void TEditRecurringDates::addUnlessKnown(const QStringList& entries)
{
    int select = SelectedIndex();
    for (const QString& entry : entries) {
        const bool known = std::any_of(m_entries.begin(), m_entries.end(), [&](const QString& e) {
            return QString::compare(e, entry, Qt::CaseInsensitive) == 0;
        });
        if (known)
            continue;
        const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), entry, EntryLessThan);
        const int index = int(at - m_entries.begin());
        m_entries.insert(index, entry);
        if (select >= index)
            ++select;
    }
    fillList(select < 0 && !m_entries.isEmpty() ? 0 : select);
}

void TEditRecurringDates::HolidaysButtonClick()
{
    TGetHolidays chooser(this);
    if (RunRecurringDialog(chooser) == QDialog::Accepted)
        addUnlessKnown(chooser.SelectedEntries());
    updateButtons();
}

void TEditRecurringDates::ImportButtonClick()
{
    const QString path = ChooseICalendarFileToOpen(this);
    if (path.isEmpty())
        return;
    QStringList entries, skipped;
    int once = 0;
    try {
        const ICalendarFile file = ICalendarFile::FromFile(path);
        for (const ICalendarRecurringCandidate& c : file.RecurringCandidates(&once)) {
            if (!c.Entry.isEmpty())
                entries << c.Entry;
            else
                skipped << (c.Summary.isEmpty() ? QStringLiteral("(no summary)") : c.Summary) +
                               QStringLiteral(": ") + c.Reason;
        }
    } catch (const ICalendarError& e) {
        ShowInformation(ICalendarImportFailure(path, e.reason()));
        return;
    }
    if (once > 0)
        skipped << (once == 1 ? QStringLiteral("1 event that happens once")
                              : QString::number(once) + QStringLiteral(" events that happen once"));
    if (entries.isEmpty() && skipped.isEmpty()) {
        ShowInformation(QStringLiteral("No events in ") + path);
        return;
    }
    TImportRecurringDates chooser(entries, skipped, this);
    if (RunRecurringDialog(chooser) == QDialog::Accepted)
        addUnlessKnown(chooser.SelectedEntries());
    updateButtons();
}

}  // namespace dayloom

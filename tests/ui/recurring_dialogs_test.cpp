#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "common/testutil.h"
#include "core/screen.h"
#include "dates/holidays.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "ui/recurring/recurringdialogs.h"
#include "ui/recurring/teditrecurringdateformula.h"
#include "ui/recurring/teditrecurringdates.h"
#include "ui/recurring/tgetholidays.h"
#include "ui/recurring/tselectrecurringdates.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

// Collects every message box instead of showing it, and drives the nested
// dialogs through a test function instead of exec().
class RecurringDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldMessages = SetMessageHook([this](const MessageRequest& r) {
            messages << r.caption + u'|' + r.text;
            return QMessageBox::Ok;
        });
        m_oldRunner = SetRecurringDialogRunner([this](QDialog& dialog) {
            ++runs;
            if (!drive)
                return int(QDialog::Rejected);
            dialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            drive(dialog);
            const int result = dialog.result();
            dialog.hide();
            return result;
        });
        ASSERT_TRUE(m_dir.isValid());
        SetProgramDir(m_dir.path());
    }
    void TearDown() override
    {
        SetMessageHook(m_oldMessages);
        SetRecurringDialogRunner(m_oldRunner);
    }

    template <class T>
    static T* child(QWidget& parent, const char* name)
    {
        T* w = parent.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void click(QWidget& parent, const char* name)
    {
        // Check boxes and radio buttons take clicks only on their indicator
        // and caption, which start at the left edge.
        auto* button = child<QAbstractButton>(parent, name);
        const QPoint at = qobject_cast<QPushButton*>(button)
                              ? button->rect().center()
                              : QPoint(6, button->height() / 2);
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    }
    static void clickRow(QListWidget* list, int row)
    {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    static QStringList rowTexts(QListWidget* list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    static void shot(QWidget& w, const char* name)
    {
        test::SaveShot(w.grab().toImage(), QString::fromLatin1(name));
    }

    QStringList messages;
    int runs = 0;
    std::function<void(QDialog&)> drive;

private:
    QTemporaryDir m_dir;
    MessageHook m_oldMessages;
    RecurringDialogRunner m_oldRunner;
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST_F(RecurringDialogsTest, ListEditorAddsEditsAndDeletes)
{
    const QStringList start = {MakeEntry("Thanksgiving Day", "$3 4 11"),
                               MakeEntry("anniversary", "@0612"),
                               Pad("Easter", 120) + "#EASTER"};
    TEditRecurringDates dialog(start, ProgramDir());
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* list = child<QListWidget>(dialog, "EntryList");
    EXPECT_EQ(rowTexts(list), QStringList({"anniversary (12th of June)", "Easter",
                                           "Thanksgiving Day (4th Thu of November)"}));
    EXPECT_EQ(dialog.SelectedIndex(), 0);
    EXPECT_TRUE(child<QPushButton>(dialog, "EditButton")->isEnabled());
    shot(dialog, "recurring_dates_editor");

    // New: the editor opens with its defaults; a Tuesday-and-Sunday entry.
    drive = [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Add Recurring Date"));
        auto* edit = child<QLineEdit>(d, "EventEdit");
        EXPECT_EQ(edit->text(), QStringLiteral("[Enter event]"));
        EXPECT_TRUE(child<QRadioButton>(d, "MonthRadio")->isChecked());
        EXPECT_TRUE(child<QRadioButton>(d, "MonthRadio")->font().bold());
        EXPECT_FALSE(child<QComboBox>(d, "OccurrenceList")->isEnabled());
        edit->setText(QStringLiteral("Choir"));
        click(d, "WeekRadio");
        EXPECT_TRUE(child<QRadioButton>(d, "WeekRadio")->font().bold());
        EXPECT_FALSE(child<QRadioButton>(d, "MonthRadio")->font().bold());
        EXPECT_FALSE(child<QSpinBox>(d, "DaySpin")->isEnabled());
        click(d, "AllDaysCheck");  // all on
        click(d, "AllDaysCheck");  // all off
        click(d, "TuesCheck");
        click(d, "SunCheck");
        shot(d, "recurring_formula_editor");
        click(d, "OkButton");
    };
    click(dialog, "NewButton");
    ASSERT_EQ(dialog.Entries().size(), 4);
    EXPECT_EQ(dialog.Entries().at(1), MakeEntry("Choir", "%13"));
    EXPECT_EQ(dialog.SelectedIndex(), 1);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Choir (Sun,Tue)"));

    // Edit: the editor shows the entry; a new text moves it, still selected.
    clickRow(list, 3);
    ASSERT_EQ(dialog.SelectedIndex(), 3);
    drive = [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Edit Recurring Date Formula"));
        EXPECT_EQ(child<QLineEdit>(d, "EventEdit")->text(), QStringLiteral("Thanksgiving Day"));
        EXPECT_TRUE(child<QRadioButton>(d, "SpecialRadio")->isChecked());
        EXPECT_EQ(child<QComboBox>(d, "OccurrenceList")->currentIndex(), 3);
        EXPECT_EQ(child<QComboBox>(d, "WeekdayList")->currentIndex(), 4);
        EXPECT_EQ(child<QComboBox>(d, "SpecialMonthList")->currentIndex(), 11);
        child<QLineEdit>(d, "EventEdit")->setText(QStringLiteral("American Thanksgiving"));
        click(d, "OkButton");
    };
    click(dialog, "EditButton");
    EXPECT_EQ(dialog.Entries().at(0), MakeEntry("American Thanksgiving", "$3 4 11"));
    EXPECT_EQ(dialog.SelectedIndex(), 0);

    // A feast cannot be edited; the editor does not open.
    runs = 0;
    const int easterRow = int(dialog.Entries().indexOf(Pad("Easter", 120) + "#EASTER"));
    clickRow(list, easterRow);
    click(dialog, "EditButton");
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(messages, QStringList{"Information|This entry cannot be edited"});

    // Deleting selects the first entry; after the last, Edit and Delete are off.
    while (!dialog.Entries().isEmpty()) {
        EXPECT_TRUE(child<QPushButton>(dialog, "DeleteButton")->isEnabled());
        click(dialog, "DeleteButton");
    }
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(child<QPushButton>(dialog, "EditButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(dialog, "DeleteButton")->isEnabled());
    runs = 0;
    click(dialog, "EditButton");  // disabled: nothing happens
    EXPECT_EQ(runs, 0);

    // Ok writes the (now empty) list.
    click(dialog, "OkButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(RecurringListExists(ProgramDir()));
    EXPECT_TRUE(LoadRecurringList(ProgramDir()).isEmpty());
}

TEST_F(RecurringDialogsTest, HolidayImportAddsEachHolidayOnce)
{
    TEditRecurringDates dialog({MakeEntry("Zoo trip", "@0505")}, ProgramDir());
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto pickEaster = [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Holidays"));
        auto* list = child<QListWidget>(d, "EntryList");
        EXPECT_EQ(list->count(), 26);
        EXPECT_TRUE(list->selectedItems().isEmpty());
        const int row = int(BuiltInHolidayEntries().indexOf(Pad("Easter", 120) + "#EASTER"));
        ASSERT_GE(row, 0);
        EXPECT_EQ(list->item(row)->text(), QStringLiteral("Easter"));
        clickRow(list, row);
        clickRow(list, 0);
        clickRow(list, 0);  // toggled off again
        EXPECT_EQ(list->selectedItems().size(), 1);
        click(d, "OkButton");
    };
    drive = pickEaster;
    click(dialog, "HolidaysButton");
    drive = pickEaster;
    click(dialog, "HolidaysButton");
    EXPECT_EQ(dialog.Entries(), QStringList({Pad("Easter", 120) + "#EASTER",
                                             MakeEntry("Zoo trip", "@0505")}));
    // The selection stays on the entry it was on.
    EXPECT_EQ(dialog.SelectedIndex(), 1);

    // All imports the rest; Cancel afterwards leaves the file untouched.
    drive = [&](QDialog& d) {
        click(d, "AllButton");
        shot(d, "recurring_holidays");
        click(d, "OkButton");
    };
    click(dialog, "HolidaysButton");
    EXPECT_EQ(dialog.Entries().size(), 27);
    click(dialog, "CancelButton");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(RecurringListExists(ProgramDir()));
}

TEST_F(RecurringDialogsTest, CancelLeavesTheFileAsItWas)
{
    const QStringList lines = {MakeEntry("b", "@0101"), QStringLiteral("a stray line"),
                               MakeEntry("a", "%2")};
    SaveRecurringList(lines, ProgramDir());
    const QByteArray before = fileBytes(RecurringListPath(ProgramDir()));

    // In the list editor: add an entry, delete one, then Cancel. The formula
    // editor opened by New is confirmed with its defaults.
    drive = [&](QDialog& d) {
        if (auto* editor = qobject_cast<TEditRecurringDates*>(&d)) {
            EXPECT_EQ(editor->Entries().size(), 3);  // the stray line is kept
            click(*editor, "NewButton");
            EXPECT_EQ(editor->Entries().size(), 4);
            click(*editor, "DeleteButton");
            click(*editor, "CancelButton");
        } else {
            click(d, "OkButton");
        }
    };
    EXPECT_FALSE(EditRecurringDates(nullptr));
    EXPECT_EQ(fileBytes(RecurringListPath(ProgramDir())), before);

    // And Ok keeps every line, the stray one included.
    drive = [&](QDialog& d) { click(d, "OkButton"); };
    EXPECT_TRUE(EditRecurringDates(nullptr));
    QStringList saved = LoadRecurringList(ProgramDir());
    EXPECT_EQ(saved.size(), 3);
    EXPECT_TRUE(saved.contains(QStringLiteral("a stray line")));
}

TEST_F(RecurringDialogsTest, FormulaEditorLoadsAndValidates)
{
    TEditRecurringDateFormula dialog;
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    dialog.SetFormula(QStringLiteral("%135      "));
    EXPECT_EQ(dialog.CurrentKind(), TEditRecurringDateFormula::WeekKind);
    QStringList checked;
    for (const char* name : {"MonCheck", "TuesCheck", "WedCheck", "ThuCheck", "FriCheck",
                             "SatCheck", "SunCheck"}) {
        if (child<QCheckBox>(dialog, name)->isChecked())
            checked << QString::fromLatin1(name);
    }
    EXPECT_EQ(checked, QStringList({"TuesCheck", "ThuCheck", "SunCheck"}));

    // No day checked: the message, and the dialog stays open.
    for (const char* name : {"TuesCheck", "ThuCheck", "SunCheck"})
        click(dialog, name);
    click(dialog, "OkButton");
    EXPECT_EQ(messages,
              QStringList{"Information|You must select at least one day for this \nreminder to occur on"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    click(dialog, "MonthRadio");
    child<QSpinBox>(dialog, "DaySpin")->setValue(31);
    child<QComboBox>(dialog, "MonthList")->setCurrentIndex(0);
    click(dialog, "OkButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Formula(), QStringLiteral("@0031"));

    TEditRecurringDateFormula special;
    special.SetFormula(QStringLiteral("$5 0 10   "));
    EXPECT_EQ(special.CurrentKind(), TEditRecurringDateFormula::SpecialKind);
    special.show();
    click(special, "OkButton");
    EXPECT_EQ(special.Formula(), QStringLiteral("$5 0 10"));

    // A value outside a list leaves that list without a choice.
    TEditRecurringDateFormula outside;
    outside.SetFormula(QStringLiteral("$9 0 1"));
    outside.show();
    messages.clear();
    click(outside, "OkButton");
    EXPECT_EQ(messages, QStringList{"Information|Invalid value entered for Special category"});
    EXPECT_EQ(outside.result(), QDialog::Rejected);

    // A formula that does not parse leaves the defaults.
    TEditRecurringDateFormula broken;
    broken.SetFormula(QStringLiteral("@1x"));
    EXPECT_EQ(broken.CurrentKind(), TEditRecurringDateFormula::MonthKind);
    broken.show();
    click(broken, "OkButton");
    EXPECT_EQ(broken.Formula(), QStringLiteral("@0001"));
}

TEST_F(RecurringDialogsTest, SelectionDialogAndMonthFill)
{
    // No list file, an empty one, or none that falls in the month: the user
    // is told, and no dialog opens.
    const QString noMatch = QStringLiteral("Information|No predefined dates match the current month");
    EXPECT_EQ(ChooseRecurringDatesForMonth(nullptr, 2024, 11), std::nullopt);
    EXPECT_EQ(messages, QStringList{noMatch});
    SaveRecurringList({}, ProgramDir());
    EXPECT_EQ(ChooseRecurringDatesForMonth(nullptr, 2024, 11), std::nullopt);
    SaveRecurringList({MakeEntry("Christmas Day", "@1225")}, ProgramDir());
    EXPECT_EQ(ChooseRecurringDatesForMonth(nullptr, 2024, 11), std::nullopt);
    EXPECT_EQ(messages, (QStringList{noMatch, noMatch, noMatch}));
    EXPECT_EQ(runs, 0);

    SaveRecurringList(BuiltInHolidayEntries(), ProgramDir());
    drive = [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Select Recurring Dates To Use"));
        auto* list = child<QListWidget>(d, "EntryList");
        EXPECT_EQ(rowTexts(list), QStringList({"Thanksgiving Day (4th Thu of November)",
                                               "Veterans Day (11th of November)"}));
        EXPECT_EQ(list->selectedItems().size(), 2);
        shot(d, "recurring_select");
        clickRow(list, 1);  // Veterans Day off
        click(d, "OkButton");
    };
    const auto chosen = ChooseRecurringDatesForMonth(nullptr, 2024, 11);
    ASSERT_TRUE(chosen.has_value());
    ASSERT_EQ(chosen->size(), 1);
    EXPECT_EQ(chosen->at(0).Text, QStringLiteral("Thanksgiving Day"));
    EXPECT_EQ(chosen->at(0).Days, QList<int>{28});

    // Ok with nothing selected stays open; Cancel gives nothing.
    drive = [&](QDialog& d) {
        click(d, "NoneButton");
        click(d, "OkButton");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.result(), QDialog::Rejected);
        click(d, "CancelButton");
    };
    EXPECT_EQ(ChooseRecurringDatesForMonth(nullptr, 2024, 11), std::nullopt);
}

TEST_F(RecurringDialogsTest, SelectedRowsShowTheCheckMark)
{
    TSelectRecurringDates dialog(BuiltInHolidayEntries().mid(0, 4));
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* list = child<QListWidget>(dialog, "EntryList");
    list->setFocus();
    list->setCurrentRow(3, QItemSelectionModel::NoUpdate);
    list->item(1)->setSelected(false);
    const QImage image = list->viewport()->grab().toImage();
    auto blackInMarkArea = [&](int row) {
        const QRect r = list->visualItemRect(list->item(row));
        int black = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x < r.left() + 14; ++x)
                black += qGray(image.pixel(x, y)) < 64 ? 1 : 0;
        }
        return black;
    };
    EXPECT_GT(blackInMarkArea(0), 10);  // selected: a black mark
    EXPECT_EQ(blackInMarkArea(1), 0);   // not selected: nothing left of the text
    const QRect focused = list->visualItemRect(list->item(3));
    // The focused row is black, with a white mark since it is selected.
    EXPECT_EQ(qGray(image.pixel(focused.right() - 2, focused.center().y())), 0);
    EXPECT_LT(blackInMarkArea(3), 14 * focused.height());
}

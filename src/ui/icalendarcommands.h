#pragma once

#include <QString>

#include "ui/filechooser.h"

class QWidget;

namespace dayloom {

class TCalendarMain;

// The window's iCalendar commands, kept beside the main window.

// File > "Import iCalendar File...": commits the open cell editor, puts the
// chosen file's events of the month shown into the day cells (one modified
// step) and says how many entries went into how many days.
void ImportICalendarCommand(TCalendarMain& window);

// File > "Export Cell Texts as iCalendar...": the month's cell texts as
// all-day events.
void ExportICalendarCommand(TCalendarMain& window);

// The dialog that picks an iCalendar file to read, starting in the folder of
// the last one; empty when cancelled. Tests install their own chooser
// (an empty one restores the dialog); returns the previous chooser.
QString ChooseICalendarFileToOpen(QWidget* parent);
FileChooser SetICalendarFileChooser(FileChooser chooser);

}  // namespace dayloom

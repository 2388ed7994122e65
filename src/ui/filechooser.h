#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace dayloom {

// What an open or save dialog is asked: its title, filter (Qt form, e.g.
// "Calendar File (*.DLF *.dlf)"), default suffix, starting folder and, for
// saving, the proposed file name; the filter entry chosen at the start.
struct FileDialogSpec {
    QString title;
    QString filter;
    QString defaultSuffix;
    QString directory;
    QString proposedName;
    QString selectedFilter;  // one of filter's entries, chosen at the start
};

// Returns the chosen full path, or an empty string when cancelled. Tests
// replace the dialogs with their own chooser.
using FileChooser = std::function<QString(const FileDialogSpec& desc)>;

// The standard dialogs: an existing file to open (read-only box hidden); a
// file to save, asking before it overwrites one.
QString RunOpenFileDialog(const FileDialogSpec& desc, QWidget* parent);
QString RunSaveFileDialog(const FileDialogSpec& desc, QWidget* parent);

}  // namespace dayloom

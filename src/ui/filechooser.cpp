#include "ui/filechooser.h"

#include <QDir>
#include <QFileDialog>

namespace dayloom {

namespace {

QString runDialog(const FileDialogSpec& desc, QWidget* parent, bool save)
{
    QFileDialog dialog(parent, desc.title, desc.directory, desc.filter);
    dialog.setDefaultSuffix(desc.defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!desc.selectedFilter.isEmpty())
        dialog.selectNameFilter(desc.selectedFilter);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!desc.proposedName.isEmpty())
            dialog.selectFile(QDir(desc.directory).filePath(desc.proposedName));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString RunOpenFileDialog(const FileDialogSpec& desc, QWidget* parent)
{
    return runDialog(desc, parent, false);
}

QString RunSaveFileDialog(const FileDialogSpec& desc, QWidget* parent)
{
    return runDialog(desc, parent, true);
}

}  // namespace dayloom

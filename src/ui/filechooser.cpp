#include "ui/filechooser.h"

#include <QDir>
#include <QFileDialog>

namespace dayloom {

namespace {

QString runDialog(const FileDialogSpec& spec, QWidget* parent, bool save)
{
    QFileDialog dialog(parent, spec.title, spec.directory, spec.filter);
    dialog.setDefaultSuffix(spec.defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!spec.proposedName.isEmpty())
            dialog.selectFile(QDir(spec.directory).filePath(spec.proposedName));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString RunOpenFileDialog(const FileDialogSpec& spec, QWidget* parent)
{
    return runDialog(spec, parent, false);
}

QString RunSaveFileDialog(const FileDialogSpec& spec, QWidget* parent)
{
    return runDialog(spec, parent, true);
}

}  // namespace dayloom

#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include "imaging/imageloader.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;

namespace dayloom {

// The clip-art browser: a drive list, the folders of the chosen drive, the
// pictures in the chosen folder and a preview of the selected picture, with
// the "Stretch" and "AutoSize" choices the image object takes over on OK.
class TGImageBrowser : public QDialog {
    Q_OBJECT
public:
    // The mask the file list shows; matched ignoring letter case.
    static const QString kFileMask;

    explicit TGImageBrowser(QWidget* parent = nullptr);
    ~TGImageBrowser() override;

    // "Stretch" and "AutoSize" exclude each other when one is checked;
    // unchecking one leaves the other alone, so both can be clear.
    void SetStretch(bool on);
    bool Stretch() const;
    void SetAutoSize(bool on);
    bool AutoSize() const;

    // Opens a folder: its drive in the drive list, its folders and its
    // pictures. False (nothing changes) when it is not a readable folder.
    bool SetFolder(const QString& path);
    QString Folder() const { return FFolder; }
    // The full path of the selected file; empty when no file is selected.
    QString SelectedFile() const;
    // Selects a file of the current folder by name; false when not listed.
    bool SelectFile(const QString& name);

    // Loads a file into the preview, as a change of the file selection
    // does. Returns whether a picture is shown afterwards.
    bool LoadFile(const QString& path);
    const LoadedPicture& Preview() const { return FPreview; }

    // True when the file name matches the mask.
    static bool MatchesMask(const QString& fileName);
    // The roots the drive list offers: "/", the home folder and the mounted
    // volumes that hold real file systems.
    static QStringList DriveRoots();

    QComboBox* DriveCombo() const { return FDriveCombo; }
    QTreeWidget* FolderView() const { return FFolderView; }
    QListWidget* FileList() const { return FFileList; }
    QCheckBox* StretchBox() const { return FStretchBox; }
    QCheckBox* AutoSizeBox() const { return FAutoSizeBox; }
    QScrollArea* PreviewArea() const { return FPreviewArea; }
    QWidget* PreviewWidget() const { return FPreviewWidget; }

private:
    void DriveComboChange(int index);
    void FolderViewClick(QTreeWidgetItem* item);
    void FileListChange();
    void StretchBoxClick(bool checked);
    void AutoSizeBoxClick(bool checked);

    void FillDrives();
    QString DriveOf(const QString& folder) const;
    void FillFolders();
    void FillFiles();
    void ApplyPreviewMode();
    void PlaceOnScreen();

    QComboBox* FDriveCombo = nullptr;
    QTreeWidget* FFolderView = nullptr;
    QListWidget* FFileList = nullptr;
    QScrollArea* FPreviewArea = nullptr;
    QWidget* FPreviewWidget = nullptr;
    QCheckBox* FStretchBox = nullptr;
    QCheckBox* FAutoSizeBox = nullptr;

    QString FFolder;
    LoadedPicture FPreview;
    bool FLoading = false;   // a load runs: selection changes are ignored
    bool FFilling = false;   // the lists are being filled
};

}  // namespace dayloom

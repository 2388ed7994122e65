#pragma once

#include <vector>

#include <QDialog>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

#include "imaging/imageloader.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;

namespace dayloom {

class ThumbnailLoader;

// The clip-art browser: a drive list (with the places that hold clip art),
// the folders of the chosen drive, a path field, the pictures in the chosen
// folder with their thumbnails and a filter on their names, and a preview
// of the selected picture, with the "Stretch" and "AutoSize" choices the
// image object takes over on OK.
class TGImageBrowser : public QDialog {
    Q_OBJECT
public:
    // The mask the file list shows; matched ignoring letter case.
    static const QString kFileMask;
    // Size of the thumbnails in the file list.
    static constexpr int kThumbnailSize = 48;

    // A place the drive list offers besides the drives.
    struct Place {
        QString Label;
        QString Folder;
    };
    // The places that exist: the folder last used for clip art, the user's
    // pictures folder, the program's own "Clipart" folder and the clip-art
    // collections installed on the system (see SetCollectionFolders).
    static std::vector<Place> Places();
    // Folders of installed clip-art collections that are offered when they
    // exist (by default the SVG and PNG folders of the Open Clip Art Library
    // packages). Tests set their own.
    static void SetCollectionFolders(const QStringList& folders);
    static QStringList CollectionFolders();
    // Where the browser opens: the folder last used for clip art when it
    // still exists, else the user's pictures folder, else the home folder.
    static QString StartFolder();

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

    // Shows only the files whose names contain the text (letter case
    // ignored), as typing in the filter field does.
    void SetFilter(const QString& text);
    // The names the file list shows now (the filter applied).
    QStringList VisibleNames() const;
    // Thumbnails of the current folder not made yet.
    int PendingThumbnails() const;
    bool HasThumbnail(const QString& name) const;

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
    QLineEdit* PathEdit() const { return FPathEdit; }
    QLineEdit* FilterEdit() const { return FFilterEdit; }
    QLabel* SizeNote() const { return FSizeNote; }
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
    void ApplyFilter();
    void PathEditReturn();
    void ThumbnailReady(const QString& path, const QImage& image);
    void UpdateSizeNote();
    void ApplyPreviewMode();
    void PlaceOnScreen();

    QComboBox* FDriveCombo = nullptr;
    QLineEdit* FPathEdit = nullptr;
    QLineEdit* FFilterEdit = nullptr;
    QLabel* FSizeNote = nullptr;
    QTreeWidget* FFolderView = nullptr;
    QListWidget* FFileList = nullptr;
    QScrollArea* FPreviewArea = nullptr;
    QWidget* FPreviewWidget = nullptr;
    QCheckBox* FStretchBox = nullptr;
    QCheckBox* FAutoSizeBox = nullptr;

    QString FFolder;
    LoadedPicture FPreview;
    ThumbnailLoader* FThumbnails = nullptr;
    // Thumbnails made while the dialog is open, by path, size and time.
    QHash<QString, QImage> FThumbnailCache;
    QHash<QString, QListWidgetItem*> FItemsByPath;
    bool FLoading = false;   // a load runs: selection changes are ignored
    bool FFilling = false;   // the lists are being filled
};

}  // namespace dayloom

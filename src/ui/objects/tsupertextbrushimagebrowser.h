#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QListWidget;
class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;

namespace dayloom {

class TGSuperText;

// "Load Texture Image": a drive list, the folders of the open folder and
// its texture files, with an example text filled with the selected file.
class TSuperTextBrushImageBrowser : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40012;
    // The mask of the file list (PNG, GIF and SVG pictures are listed too).
    static const QString kFileMask;

    explicit TSuperTextBrushImageBrowser(QWidget* parent = nullptr);

    // The example object ("Text" filled with the texture).
    TGSuperText* Example() const { return FExample; }

    // Opens a folder; false when it is not a readable folder.
    bool SetFolder(const QString& path);
    QString Folder() const { return FFolder; }
    // Opens the file's folder with the file selected (and loaded).
    bool OpenOnFile(const QString& path);
    // The selected file's full path; empty when none is selected.
    QString SelectedFile() const;
    bool SelectFile(const QString& name);
    // True when the file name matches the mask (letter case ignored).
    static bool MatchesMask(const QString& fileName);

    // Loads a file into the example's texture, as selecting it does. A file
    // that fails empties the texture ("Error loading file!" for a bitmap).
    // Returns whether a texture is shown.
    bool LoadFile(const QString& path);

    QComboBox* DriveList() const { return FDrives; }
    QTreeWidget* FolderList() const { return FFolders; }
    QListWidget* FileList() const { return FFiles; }
    QWidget* ExampleArea() const { return FExampleArea; }

private:
    void DriveChange(int index);
    void FolderClick(QTreeWidgetItem* item);
    void FileListChange();
    void FillFolders();
    void FillFiles();
    QString DriveOf(const QString& folder) const;

    TGSuperText* FExample;
    QComboBox* FDrives;
    QTreeWidget* FFolders;
    QListWidget* FFiles;
    QScrollArea* FScroll;
    QWidget* FExampleArea;
    QString FFolder;
    bool FLoading = false;
    bool FFilling = false;
};

}  // namespace dayloom

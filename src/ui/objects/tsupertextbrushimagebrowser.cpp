#include "ui/objects/tsupertextbrushimagebrowser.h"

#include <exception>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QScrollArea>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "imaging/imageloader.h"
#include "imaging/imagingerror.h"
#include "objects/tbitmap.h"
#include "objects/tgsupertext.h"
#include "ui/objects/tgimagebrowser.h"
#include "ui/uiutil.h"

namespace dayloom {

const QString TSuperTextBrushImageBrowser::kFileMask = QStringLiteral("*.BMP;*.JPG;*.JIF;*.ICO");

namespace {

constexpr int kPathRole = Qt::UserRole + 1;

bool isInside(const QString& folder, const QString& root)
{
    if (root == QLatin1String("/"))
        return folder.startsWith(u'/');
    return folder == root || folder.startsWith(root + u'/');
}

// Paints the example text at its own size on white.
class TextureExample : public QWidget {
public:
    TextureExample(TGSuperText* example, QWidget* parent) : QWidget(parent), m_example(example)
    {
        setObjectName(QStringLiteral("ExampleArea"));
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        m_example->Paint(p, m_example->View());
        setMinimumSize(m_example->Bounds().size());
    }

private:
    TGSuperText* m_example;
};

}  // namespace

TSuperTextBrushImageBrowser::TSuperTextBrushImageBrowser(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint),
      FExample(new TGSuperText(this))
{
    setObjectName(QStringLiteral("SuperTextBrushImageBrowser"));
    setWindowTitle(QStringLiteral("Load Texture Image"));
    setFixedSize(596, 285);
    FExample->SetSurfaceType(stBrushImage);

    FDrives = new QComboBox(this);
    FDrives->setObjectName(QStringLiteral("DriveComboBox"));
    FFolders = new QTreeWidget(this);
    FFolders->setObjectName(QStringLiteral("DirectoryListBox"));
    FFolders->setHeaderHidden(true);
    FFolders->setRootIsDecorated(false);
    FFolders->setIndentation(10);
    FFolders->setItemsExpandable(false);
    FFiles = new QListWidget(this);
    FFiles->setObjectName(QStringLiteral("FileListBox"));
    FScroll = new QScrollArea(this);
    FScroll->setObjectName(QStringLiteral("ScrollBox"));
    FExampleArea = new TextureExample(FExample, FScroll);
    FScroll->setWidget(FExampleArea);
    FScroll->setWidgetResizable(true);

    auto* left = new QVBoxLayout;
    left->addWidget(FDrives);
    left->addWidget(FFolders, 1);
    FDrives->setFixedWidth(170);
    FFolders->setFixedWidth(170);
    FFiles->setFixedWidth(150);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left);
    lists->addWidget(FFiles);
    lists->addWidget(FScroll, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addLayout(lists, 1);
    column->addLayout(HelpOkCancelBar(this, kHelpContext));

    const QIcon drive = QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QString& root : TGImageBrowser::DriveRoots())
        FDrives->addItem(drive, root, root);

    connect(FDrives, &QComboBox::currentIndexChanged, this, &TSuperTextBrushImageBrowser::DriveChange);
    connect(FFolders, &QTreeWidget::itemClicked, this, &TSuperTextBrushImageBrowser::FolderClick,
            Qt::QueuedConnection);
    connect(FFolders, &QTreeWidget::itemActivated, this, &TSuperTextBrushImageBrowser::FolderClick,
            Qt::QueuedConnection);
    connect(FFiles, &QListWidget::itemSelectionChanged, this, &TSuperTextBrushImageBrowser::FileListChange);
    connect(FFiles, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    if (!SetFolder(QDir::currentPath()))
        SetFolder(QDir::homePath());
    CenterForm(this);
}

bool TSuperTextBrushImageBrowser::MatchesMask(const QString& fileName)
{
    return ImageLoader::TextureSuffixes().contains(QFileInfo(fileName).suffix().toUpper());
}

QString TSuperTextBrushImageBrowser::DriveOf(const QString& folder) const
{
    QString best;
    for (int i = 0; i < FDrives->count(); ++i) {
        const QString root = FDrives->itemData(i).toString();
        if (isInside(folder, root) && root.size() > best.size())
            best = root;
    }
    return best.isEmpty() ? QStringLiteral("/") : best;
}

bool TSuperTextBrushImageBrowser::SetFolder(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;
    const QString canonical = info.canonicalFilePath();
    FFolder = canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    FFilling = true;
    const int drive = FDrives->findData(DriveOf(FFolder));
    if (drive >= 0)
        FDrives->setCurrentIndex(drive);
    FillFolders();
    FillFiles();
    FFilling = false;
    return true;
}

bool TSuperTextBrushImageBrowser::OpenOnFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !SetFolder(info.absolutePath()))
        return false;
    return SelectFile(info.fileName());
}

void TSuperTextBrushImageBrowser::FillFolders()
{
    FFolders->clear();
    const QStyle* style = QApplication::style();
    const QString root = DriveOf(FFolder);
    // The chain from the drive's root down to the open folder, then its
    // subfolders.
    QStringList chain{root};
    if (FFolder != root) {
        QString walk = root == QLatin1String("/") ? QString() : root;
        const QString rest = FFolder.mid(root == QLatin1String("/") ? 1 : root.size() + 1);
        for (const QString& part : rest.split(u'/', Qt::SkipEmptyParts)) {
            walk += u'/' + part;
            chain << walk;
        }
    }
    QTreeWidgetItem* parent = nullptr;
    for (qsizetype i = 0; i < chain.size(); ++i) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(FFolders);
        item->setText(0, i == 0 ? chain.at(i) : QFileInfo(chain.at(i)).fileName());
        item->setIcon(0, style->standardIcon(QStyle::SP_DirOpenIcon));
        item->setData(0, kPathRole, chain.at(i));
        parent = item;
    }
    const QFileInfoList subfolders = QDir(FFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                                  QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& sub : subfolders) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, sub.fileName());
        item->setIcon(0, style->standardIcon(QStyle::SP_DirClosedIcon));
        item->setData(0, kPathRole, sub.absoluteFilePath());
    }
    FFolders->expandAll();
    FFolders->setCurrentItem(parent);
}

void TSuperTextBrushImageBrowser::FillFiles()
{
    FFiles->clear();
    const QFileInfoList files = QDir(FFolder).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        if (!MatchesMask(file.fileName()))
            continue;
        auto* item = new QListWidgetItem(file.fileName(), FFiles);
        item->setData(kPathRole, file.absoluteFilePath());
    }
}

void TSuperTextBrushImageBrowser::DriveChange(int index)
{
    if (FFilling || index < 0)
        return;
    SetFolder(FDrives->itemData(index).toString());
}

void TSuperTextBrushImageBrowser::FolderClick(QTreeWidgetItem* item)
{
    if (FFilling || !item)
        return;
    for (QTreeWidgetItemIterator it(FFolders); *it; ++it)
        if (*it == item) {
            const QString folder = item->data(0, kPathRole).toString();
            if (folder != FFolder)
                SetFolder(folder);
            return;
        }
}

QString TSuperTextBrushImageBrowser::SelectedFile() const
{
    const QList<QListWidgetItem*> selected = FFiles->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(kPathRole).toString();
}

bool TSuperTextBrushImageBrowser::SelectFile(const QString& name)
{
    const QList<QListWidgetItem*> found = FFiles->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    FFiles->setCurrentItem(found.first());
    found.first()->setSelected(true);
    return true;
}

void TSuperTextBrushImageBrowser::FileListChange()
{
    if (FFilling || FLoading)
        return;
    const QString file = SelectedFile();
    if (!file.isEmpty())
        LoadFile(file);
    FFiles->setFocus();
}

bool TSuperTextBrushImageBrowser::LoadFile(const QString& path)
{
    if (FLoading)
        return !FExample->Image()->IsEmpty();
    FLoading = true;
    ShowWaitCursor();
    bool failed = false;
    BmpFile texture;
    try {
        texture = ImageLoader::LoadTexture(path);
    } catch (const std::exception&) {
        failed = true;
    }
    const bool known = MatchesMask(path);
    if (known) {
        TBitmap bitmap;
        bitmap.SetValue(failed ? BmpFile() : texture);
        FExample->SetImage(&bitmap);
    }
    RestoreCursor();
    if (failed && ImageLoader::KindOf(path) == ImageLoader::Kind::Bmp)
        ShowMessage(QMessageBox::Critical, QStringLiteral("Error"), QString::fromLatin1(kImageReadError),
                    QMessageBox::Ok);
    FExampleArea->update();
    FLoading = false;
    return !FExample->Image()->IsEmpty();
}

}  // namespace dayloom

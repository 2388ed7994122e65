#include "ui/objects/tgimagebrowser.h"

#include <exception>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QSet>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/screen.h"
#include "imaging/imagingerror.h"
#include "imaging/thumbnailloader.h"
#include "stream/preferences.h"
#include "ui/uiutil.h"

namespace dayloom {

const QString TGImageBrowser::kFileMask =
    QStringLiteral("*.BMP;*.JPG;*.JIF;*.JPEG;*.WMF;*.ICO;*.PNG;*.GIF;*.SVG");

namespace {

constexpr int kHelpContext = 40003;
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kKeyRole = Qt::UserRole + 2;

QStringList& collectionFolders()
{
    // Where Debian's openclipart-svg and openclipart-png packages put them.
    static QStringList folders{QStringLiteral("/usr/share/openclipart/svg"),
                               QStringLiteral("/usr/share/openclipart/png")};
    return folders;
}

QString collectionLabel(const QString& folder)
{
    const QString kind = QFileInfo(folder).fileName().toUpper();
    if (folder.contains(QLatin1String("openclipart")))
        return QStringLiteral("Open Clip Art (%1)").arg(kind);
    return QStringLiteral("Clip art (%1)").arg(QFileInfo(folder).fileName());
}

// The thumbnail cache knows a file by its path, size and time.
QString thumbnailKey(const QFileInfo& file)
{
    return file.absoluteFilePath() + u'|' + QString::number(file.size()) + u'|'
        + QString::number(file.lastModified().toMSecsSinceEpoch());
}

QIcon thumbnailIcon(const QImage& image)
{
    // Centred on a square, so that every row lines up.
    const int side = TGImageBrowser::kThumbnailSize;
    QPixmap square(side, side);
    square.fill(Qt::transparent);
    if (!image.isNull()) {
        QPainter p(&square);
        p.drawImage((side - image.width()) / 2, (side - image.height()) / 2, image);
    }
    return QIcon(square);
}

// Enhanced metafiles load through the same loader as Windows metafiles, so
// the list offers them too although the mask does not name them.
const QStringList& listedSuffixes()
{
    static const QStringList suffixes = [] {
        QStringList out;
        for (const QString& part : TGImageBrowser::kFileMask.split(u';'))
            out << part.mid(2).toUpper();  // "*.BMP" -> "BMP"
        out << QStringLiteral("EMF");
        return out;
    }();
    return suffixes;
}

bool isPseudoFileSystem(const QByteArray& type)
{
    static const QSet<QByteArray> pseudo = {
        "proc",       "sysfs",      "devtmpfs",  "devpts",      "tmpfs",     "ramfs",
        "cgroup",     "cgroup2",    "securityfs", "pstore",     "debugfs",   "tracefs",
        "configfs",   "fusectl",    "mqueue",    "hugetlbfs",   "bpf",       "autofs",
        "binfmt_misc", "efivarfs",  "nsfs",      "rpc_pipefs",  "squashfs",  "overlay",
        "selinuxfs",  "fuse.gvfsd-fuse", "fuse.portal", "nfsd",  "none"};
    return pseudo.contains(type);
}

bool isInside(const QString& folder, const QString& root)
{
    if (root == QLatin1String("/"))
        return folder.startsWith(u'/');
    return folder == root || folder.startsWith(root + u'/');
}

// Mount points of the system itself rather than of the user's files.
// Removable media below /run/media/<user> are offered.
bool isSystemMountPoint(const QString& root)
{
    if (root.startsWith(QLatin1String("/run/media/")))
        return false;
    for (const char* system : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot"})
        if (isInside(root, QLatin1String(system)))
            return true;
    return false;
}

QString cleanFolder(const QString& path)
{
    const QFileInfo info(path);
    QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QDir::cleanPath(info.absoluteFilePath());
    return canonical;
}

// Shows the browser's picture: stretched over the whole widget, or at its
// own size from the top-left corner.
class PicturePreview : public QWidget {
public:
    PicturePreview(const LoadedPicture& picture, QWidget* parent)
        : QWidget(parent), FPicture(picture)
    {
        setObjectName(QStringLiteral("Image1"));
    }

    void SetStretch(bool on)
    {
        if (FStretch == on)
            return;
        FStretch = on;
        update();
    }

    QSize PictureSize() const { return FPicture.Size(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QSize own = PictureSize();
        if (FPicture.Type == LoadedPicture::None || own.isEmpty())
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRect target = FStretch ? rect() : QRect(QPoint(0, 0), own);
        // Transparent pictures are shown on white, as on a white page.
        p.fillRect(target, Qt::white);
        if (FPicture.Type == LoadedPicture::Bitmap)
            p.drawImage(target, FPicture.BitmapValue.Image());
        else
            FPicture.MetafileValue.Play(p, QRectF(target));
    }

private:
    const LoadedPicture& FPicture;
    bool FStretch = false;
};

PicturePreview* previewOf(QWidget* w)
{
    return static_cast<PicturePreview*>(w);
}

}  // namespace

TGImageBrowser::TGImageBrowser(QWidget* parent) : QDialog(parent)
{
    // Whoever opened the browser may have set the hourglass; the user picks
    // files with the arrow.
    RestoreCursor();

    setObjectName(QStringLiteral("GImageBrowser"));
    setWindowTitle(QStringLiteral("Load Image File "));
    // Larger than the old 592 x 300, for the thumbnails and whole names.
    setFixedSize(780, 440);

    FPathEdit = new QLineEdit(this);
    FPathEdit->setObjectName(QStringLiteral("PathEdit"));
    FPathEdit->setToolTip(QStringLiteral("Folder shown; type a folder or a file and press Enter"));
    FFilterEdit = new QLineEdit(this);
    FFilterEdit->setObjectName(QStringLiteral("FilterEdit"));
    FFilterEdit->setPlaceholderText(QStringLiteral("Search"));
    FFilterEdit->setToolTip(QStringLiteral("Show the pictures whose names contain this text"));
    FFilterEdit->setClearButtonEnabled(true);
    FFilterEdit->setFixedWidth(170);
    FSizeNote = new QLabel(this);
    FSizeNote->setObjectName(QStringLiteral("SizeNote"));
    FSizeNote->setWordWrap(true);
    FThumbnails = new ThumbnailLoader(this);

    FDriveCombo = new QComboBox(this);
    FDriveCombo->setObjectName(QStringLiteral("DriveComboBox"));
    FFolderView = new QTreeWidget(this);
    FFolderView->setObjectName(QStringLiteral("DirectoryListBox"));
    FFolderView->setHeaderHidden(true);
    FFolderView->setRootIsDecorated(false);
    FFolderView->setIndentation(10);
    FFolderView->setItemsExpandable(false);
    FFolderView->setExpandsOnDoubleClick(false);
    FFileList = new QListWidget(this);
    FFileList->setObjectName(QStringLiteral("FileListBox"));
    FFileList->setSelectionMode(QAbstractItemView::SingleSelection);
    FFileList->setIconSize(QSize(kThumbnailSize, kThumbnailSize));
    // Whole names: the list scrolls sideways rather than cutting them.
    FFileList->setTextElideMode(Qt::ElideNone);
    FFileList->setWordWrap(false);
    FFileList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    FFileList->setUniformItemSizes(false);

    FPreviewArea = new QScrollArea(this);
    FPreviewArea->setObjectName(QStringLiteral("ScrollBox"));
    FPreviewWidget = new PicturePreview(FPreview, FPreviewArea);
    FPreviewArea->setWidget(FPreviewWidget);
    FPreviewArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    FStretchBox = new QCheckBox(QStringLiteral("Stretch"), this);
    FStretchBox->setObjectName(QStringLiteral("StretchCheck"));
    FStretchBox->setToolTip(QStringLiteral("Stretch image to max display size"));
    FAutoSizeBox = new QCheckBox(QStringLiteral("AutoSize"), this);
    FAutoSizeBox->setObjectName(QStringLiteral("AutoSizeCheck"));
    FAutoSizeBox->setToolTip(QStringLiteral("AutoSize TImage"));

    auto* top = new QHBoxLayout;
    top->addWidget(FDriveCombo);
    top->addWidget(FPathEdit, 1);
    top->addWidget(FFilterEdit);
    auto* lists = new QHBoxLayout;
    FFolderView->setFixedWidth(170);
    FDriveCombo->setFixedWidth(170);
    FFileList->setFixedWidth(250);
    lists->addWidget(FFolderView);
    lists->addWidget(FFileList);
    auto* preview = new QVBoxLayout;
    preview->addWidget(FPreviewArea, 1);
    preview->addWidget(FSizeNote);
    lists->addLayout(preview, 1);

    QHBoxLayout* bar = HelpOkCancelBar(this, kHelpContext);
    bar->insertWidget(1, FStretchBox);
    bar->insertWidget(2, FAutoSizeBox);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addLayout(top);
    column->addLayout(lists, 1);
    column->addLayout(bar);

    connect(FDriveCombo, &QComboBox::currentIndexChanged, this,
            &TGImageBrowser::DriveComboChange);
    // The click rebuilds the folder list, so it runs after the click's own
    // handling is over.
    connect(FFolderView, &QTreeWidget::itemClicked, this, &TGImageBrowser::FolderViewClick,
            Qt::QueuedConnection);
    connect(FFolderView, &QTreeWidget::itemActivated, this, &TGImageBrowser::FolderViewClick,
            Qt::QueuedConnection);
    connect(FFileList, &QListWidget::itemSelectionChanged, this,
            &TGImageBrowser::FileListChange);
    // A double-click takes the picture, as in any file chooser.
    connect(FFileList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(FStretchBox, &QCheckBox::toggled, this, &TGImageBrowser::StretchBoxClick);
    connect(FAutoSizeBox, &QCheckBox::toggled, this, &TGImageBrowser::AutoSizeBoxClick);
    connect(FPathEdit, &QLineEdit::returnPressed, this, &TGImageBrowser::PathEditReturn);
    connect(FFilterEdit, &QLineEdit::textChanged, this, &TGImageBrowser::ApplyFilter);
    connect(FThumbnails, &ThumbnailLoader::Ready, this, &TGImageBrowser::ThumbnailReady);

    FillDrives();
    if (!SetFolder(StartFolder()))
        SetFolder(QDir::homePath());
    ApplyPreviewMode();
    FFileList->setFocus();
    PlaceOnScreen();
}

TGImageBrowser::~TGImageBrowser() = default;

void TGImageBrowser::SetCollectionFolders(const QStringList& folders)
{
    collectionFolders() = folders;
}

QStringList TGImageBrowser::CollectionFolders()
{
    return collectionFolders();
}

std::vector<TGImageBrowser::Place> TGImageBrowser::Places()
{
    std::vector<Place> out;
    auto add = [&out](const QString& label, const QString& folder) {
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            return;
        const QString clean = cleanFolder(folder);
        for (const Place& p : out)
            if (p.Folder == clean)
                return;
        out.push_back({label, clean});
    };
    add(QStringLiteral("Last used"), ReadLastFolder(FolderKind::Clipart));
    add(QStringLiteral("Pictures"),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    // The user's own Clipart folder and the installed one.
    for (const QString& folder : FindDataFolders(QStringLiteral("Clipart")))
        add(folder.startsWith(ProgramDir()) && ProgramDir() != InstalledDataDir()
                ? QStringLiteral("My clip art")
                : QStringLiteral("Clipart"),
            folder);
    for (const QString& folder : collectionFolders())
        add(collectionLabel(folder), folder);
    return out;
}

QString TGImageBrowser::StartFolder()
{
    const QString last = ReadLastFolder(FolderKind::Clipart);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

void TGImageBrowser::PlaceOnScreen()
{
    CenterForm(this);
    // Over the main window unless that leaves part of the dialog off the
    // screen; then on the screen's centre.
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    const QRect frame(pos(), frameGeometry().size());
    if (!avail.contains(frame))
        move(avail.left() + (avail.width() - frame.width()) / 2,
             avail.top() + (avail.height() - frame.height()) / 2);
}

bool TGImageBrowser::MatchesMask(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    return listedSuffixes().contains(fileName.mid(dot + 1).toUpper());
}

QStringList TGImageBrowser::DriveRoots()
{
    QStringList roots{QStringLiteral("/")};
    const QString home = cleanFolder(QDir::homePath());
    if (!home.isEmpty() && !roots.contains(home))
        roots << home;
    QStringList volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || isPseudoFileSystem(volume.fileSystemType()))
            continue;
        const QString root = volume.rootPath();
        if (!QFileInfo(root).isDir())  // a single file mounted on its own
            continue;
        if (isSystemMountPoint(root) || roots.contains(root) || volumes.contains(root))
            continue;
        volumes << root;
    }
    volumes.sort();
    return roots + volumes;
}

void TGImageBrowser::FillDrives()
{
    const bool wasFilling = FFilling;
    FFilling = true;
    FDriveCombo->clear();
    for (const QString& root : DriveRoots()) {
        QString text = root;
        if (root == cleanFolder(QDir::homePath()))
            text = root + QStringLiteral("  (home)");
        FDriveCombo->addItem(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon), text,
                             root);
    }
    const QIcon folder = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    for (const Place& place : Places()) {
        if (FDriveCombo->findData(place.Folder) >= 0)
            continue;
        FDriveCombo->addItem(folder, place.Label + QStringLiteral("  (") + place.Folder + u')',
                             place.Folder);
    }
    FFilling = wasFilling;
}

QString TGImageBrowser::DriveOf(const QString& folder) const
{
    QString best;
    for (int i = 0; i < FDriveCombo->count(); ++i) {
        const QString root = FDriveCombo->itemData(i).toString();
        if (isInside(folder, root) && root.size() > best.size())
            best = root;
    }
    return best.isEmpty() ? QStringLiteral("/") : best;
}

bool TGImageBrowser::SetFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;
    FFolder = cleanFolder(path);
    const bool wasFilling = FFilling;
    FFilling = true;
    const int drive = FDriveCombo->findData(DriveOf(FFolder));
    if (drive >= 0)
        FDriveCombo->setCurrentIndex(drive);
    FillFolders();
    FillFiles();
    FPathEdit->setText(FFolder);
    FFilling = wasFilling;
    return true;
}

void TGImageBrowser::PathEditReturn()
{
    const QString typed = QDir::cleanPath(QDir::fromNativeSeparators(FPathEdit->text().trimmed()));
    const QFileInfo info(typed.startsWith(u'~') ? QDir::homePath() + typed.mid(1) : typed);
    if (info.isDir() && SetFolder(info.absoluteFilePath()))
        return;
    if (info.isFile() && SetFolder(info.absolutePath())) {
        SelectFile(info.fileName());
        return;
    }
    // Nowhere to go: the field shows the open folder again.
    QApplication::beep();
    FPathEdit->setText(FFolder);
}

void TGImageBrowser::FillFolders()
{
    FFolderView->clear();
    const QStyle* style = QApplication::style();
    const QIcon open = style->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain from the drive's root down to the open folder, then the
    // open folder's subfolders one step further in.
    const QString root = DriveOf(FFolder);
    QStringList chain{root};
    if (FFolder != root) {
        const QString rest = FFolder.mid(root == QLatin1String("/") ? 1 : root.size() + 1);
        QString walk = root == QLatin1String("/") ? QString() : root;
        for (const QString& part : rest.split(u'/', Qt::SkipEmptyParts)) {
            walk += u'/' + part;
            chain << walk;
        }
    }
    QTreeWidgetItem* parent = nullptr;
    for (qsizetype i = 0; i < chain.size(); ++i) {
        const QString& folder = chain.at(i);
        const QString text = i == 0 ? folder : QFileInfo(folder).fileName();
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(FFolderView);
        item->setText(0, text);
        item->setIcon(0, open);
        item->setData(0, kPathRole, folder);
        item->setToolTip(0, folder);
        parent = item;
    }
    const QFileInfoList subfolders =
        QDir(FFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                    QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QFileInfo& sub : subfolders) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, sub.fileName());
        item->setIcon(0, closed);
        item->setData(0, kPathRole, sub.absoluteFilePath());
    }
    FFolderView->expandAll();
    FFolderView->setCurrentItem(parent);
    FFolderView->scrollToItem(parent);
}

void TGImageBrowser::FillFiles()
{
    const bool wasFilling = FFilling;
    FFilling = true;
    FFileList->clear();
    FItemsByPath.clear();
    const QFileInfoList files = QDir(FFolder).entryInfoList(
        QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    QStringList missing;
    const QIcon blank = thumbnailIcon(QImage());
    for (const QFileInfo& file : files) {
        if (!MatchesMask(file.fileName()))
            continue;
        auto* item = new QListWidgetItem(file.fileName(), FFileList);
        const QString path = file.absoluteFilePath();
        const QString key = thumbnailKey(file);
        item->setData(kPathRole, path);
        item->setData(kKeyRole, key);
        item->setToolTip(file.fileName());
        const auto cached = FThumbnailCache.constFind(key);
        if (cached != FThumbnailCache.constEnd()) {
            item->setIcon(thumbnailIcon(*cached));
        } else {
            item->setIcon(blank);
            missing << path;
        }
        FItemsByPath.insert(path, item);
    }
    ApplyFilter();
    // The thumbnails come later, from worker threads.
    FThumbnails->Start(missing, QSize(kThumbnailSize, kThumbnailSize));
    FFilling = wasFilling;
}

void TGImageBrowser::ThumbnailReady(const QString& path, const QImage& image)
{
    QListWidgetItem* item = FItemsByPath.value(path);
    if (!item)
        return;
    FThumbnailCache.insert(item->data(kKeyRole).toString(), image);
    item->setIcon(thumbnailIcon(image));
}

int TGImageBrowser::PendingThumbnails() const
{
    return FThumbnails->Pending();
}

bool TGImageBrowser::HasThumbnail(const QString& name) const
{
    const QList<QListWidgetItem*> found = FFileList->findItems(name, Qt::MatchExactly);
    return !found.isEmpty() && FThumbnailCache.contains(found.first()->data(kKeyRole).toString());
}

void TGImageBrowser::SetFilter(const QString& text)
{
    FFilterEdit->setText(text);
}

void TGImageBrowser::ApplyFilter()
{
    const QString text = FFilterEdit->text().trimmed();
    for (int i = 0; i < FFileList->count(); ++i) {
        QListWidgetItem* item = FFileList->item(i);
        item->setHidden(!text.isEmpty() && !item->text().contains(text, Qt::CaseInsensitive));
    }
}

QStringList TGImageBrowser::VisibleNames() const
{
    QStringList out;
    for (int i = 0; i < FFileList->count(); ++i)
        if (!FFileList->item(i)->isHidden())
            out << FFileList->item(i)->text();
    return out;
}

QString TGImageBrowser::SelectedFile() const
{
    const QList<QListWidgetItem*> selected = FFileList->selectedItems();
    if (selected.isEmpty())
        return {};
    return selected.first()->data(kPathRole).toString();
}

bool TGImageBrowser::SelectFile(const QString& name)
{
    const QList<QListWidgetItem*> found = FFileList->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    FFileList->setCurrentItem(found.first());
    found.first()->setSelected(true);
    return true;
}

void TGImageBrowser::DriveComboChange(int index)
{
    if (FFilling || index < 0)
        return;
    const QString root = FDriveCombo->itemData(index).toString();
    if (!SetFolder(root)) {
        // An unreadable root: stay where we are and show it in the list.
        const bool wasFilling = FFilling;
        FFilling = true;
        const int current = FDriveCombo->findData(DriveOf(FFolder));
        if (current >= 0)
            FDriveCombo->setCurrentIndex(current);
        FFilling = wasFilling;
    }
}

void TGImageBrowser::FolderViewClick(QTreeWidgetItem* item)
{
    if (FFilling || !item)
        return;
    // The item may be gone when a queued click arrives after a refill.
    bool alive = false;
    for (QTreeWidgetItemIterator it(FFolderView); *it; ++it)
        if (*it == item) {
            alive = true;
            break;
        }
    if (!alive)
        return;
    const QString folder = item->data(0, kPathRole).toString();
    if (folder != FFolder)
        SetFolder(folder);
}

void TGImageBrowser::FileListChange()
{
    if (FFilling || FLoading)
        return;
    const QString file = SelectedFile();
    if (!file.isEmpty())
        LoadFile(file);
}

bool TGImageBrowser::LoadFile(const QString& path)
{
    auto shown = [this] { return FPreview.Type != LoadedPicture::None; };
    if (FLoading)
        return shown();
    const ImageLoader::Kind kind = ImageLoader::KindOf(path);
    if (kind == ImageLoader::Kind::Unknown)
        return shown();  // nothing to load; the previous picture stays

    FLoading = true;
    ShowWaitCursor();
    bool failed = false;
    try {
        LoadedPicture picture = ImageLoader::Load(path);
        if (kind == ImageLoader::Kind::Ico)
            ProcessMessages();
        FPreview = std::move(picture);
    } catch (const std::exception&) {
        failed = true;
    }
    if (failed)
        FPreview = LoadedPicture();
    ApplyPreviewMode();
    UpdateSizeNote();
    RestoreCursor();
    // Icons and JPEG pictures fail quietly; the others say so.
    if (failed && kind != ImageLoader::Kind::Ico && kind != ImageLoader::Kind::Jpeg)
        ShowMessage(QMessageBox::Critical, QStringLiteral("Error"),
                    QString::fromLatin1(kImageReadError), QMessageBox::Ok);
    FLoading = false;
    return shown();
}

void TGImageBrowser::UpdateSizeNote()
{
    const QSize size = FPreview.Size();
    if (FPreview.Type == LoadedPicture::None || size.isEmpty()) {
        FSizeNote->clear();
        return;
    }
    QString text = QStringLiteral("%1 x %2 pixels").arg(size.width()).arg(size.height());
    if (FPreview.Type == LoadedPicture::Metafile) {
        text += QStringLiteral(", drawing");
    } else {
        const QSize placed = ImageLoader::LimitedSize(size);
        if (placed != size)
            text += QStringLiteral(": too large for a page, placed at %1 x %2")
                        .arg(placed.width())
                        .arg(placed.height());
        if (FPreview.BitmapValue.HasAlpha())
            text += QStringLiteral(", with transparency");
    }
    FSizeNote->setText(text);
}

void TGImageBrowser::SetStretch(bool on)
{
    FStretchBox->setChecked(on);
}

bool TGImageBrowser::Stretch() const
{
    return FStretchBox->isChecked();
}

void TGImageBrowser::SetAutoSize(bool on)
{
    FAutoSizeBox->setChecked(on);
}

bool TGImageBrowser::AutoSize() const
{
    return FAutoSizeBox->isChecked();
}

void TGImageBrowser::StretchBoxClick(bool checked)
{
    if (checked)
        FAutoSizeBox->setChecked(false);
    ApplyPreviewMode();
}

void TGImageBrowser::AutoSizeBoxClick(bool checked)
{
    if (checked)
        FStretchBox->setChecked(false);
    ApplyPreviewMode();
}

void TGImageBrowser::ApplyPreviewMode()
{
    PicturePreview* preview = previewOf(FPreviewWidget);
    preview->SetStretch(Stretch());
    const QSize own = preview->PictureSize();
    if (AutoSize() && !own.isEmpty()) {
        // The picture's own size; the area scrolls when it is larger.
        FPreviewArea->setWidgetResizable(false);
        preview->resize(own);
    } else {
        FPreviewArea->setWidgetResizable(true);
    }
    preview->update();
}

}  // namespace dayloom

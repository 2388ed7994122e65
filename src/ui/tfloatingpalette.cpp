#include "ui/tfloatingpalette.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "core/screen.h"
#include "stream/inifile.h"
#include "ui/iconlistbox.h"
#include "stream/preferences.h"
#include "ui/placement.h"
#include "ui/uiutil.h"

namespace dayloom {

namespace {

constexpr int kClientSize = 140;

struct LibraryItem {
    const char* caption;
    const char* file;
};
const LibraryItem kLibraries[] = {
    {"Activities", "activity.icl"},
    {"Events", "events.icl"},
    {"Holidays", "holiday.icl"},
    {"Miscellaneous #1", "misc1.icl"},
    {"Miscellaneous #2", "misc2.icl"},
};

// A library's name as the menu captions spell it.
QString MenuNameOf(const QString& path)
{
    const QString name = QFileInfo(path).completeBaseName().toUpper();
    if (name == QLatin1String("ACTIVITY"))
        return QStringLiteral("ACTIVITIES");
    if (name == QLatin1String("HOLIDAY"))
        return QStringLiteral("HOLIDAYS");
    if (name == QLatin1String("MISC1"))
        return QStringLiteral("MISCELLANEOUS #1");
    if (name == QLatin1String("MISC2"))
        return QStringLiteral("MISCELLANEOUS #2");
    return name;
}

// A path as written in the ini file names a file whose letter case may
// differ, or one of the program's own below ProgramDir that lives in the
// installed data.
QString ResolveLibrary(const QString& path)
{
    if (path.isEmpty() || QFileInfo(path).isFile())
        return path;
    const QFileInfo info(path);
    const QString sameFolder = FileInDirIgnoringCase(info.absolutePath(), info.fileName());
    if (QFileInfo(sameFolder).isFile())
        return sameFolder;
    if (path.startsWith(ProgramDir())) {
        const QString data = FindDataFile(path.mid(ProgramDir().size()));
        if (!data.isEmpty() && QFileInfo(data).isFile())
            return data;
    }
    return path;
}

// A file of the program's data as a path below ProgramDir, where the
// program looks first: what the ini file keeps, so that it still holds when
// the program is installed elsewhere.
QString ProgramForm(const QString& path)
{
    for (const QString& dir : DataDirs())
        if (dir != ProgramDir() && path.startsWith(dir))
            return ProgramDir() + path.mid(dir.size());
    return path;
}

// The bonus sets: every "*.icl" of the "BonusIcons" folders of the program
// (its own first), by caption; the first file of a caption wins.
QMap<QString, QString> FindBonusSets()
{
    QMap<QString, QString> sets;  // upper-cased caption -> path
    for (const QString& base : DataDirs()) {
        const QString folder = FileInDirIgnoringCase(base, QStringLiteral("BonusIcons"));
        if (!QFileInfo(folder).isDir())
            continue;
        const QFileInfoList files =
            QDir(folder).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo& f : files) {
            if (f.suffix().compare(QLatin1String("icl"), Qt::CaseInsensitive) != 0)
                continue;
            const QString caption = TFloatingPalette::BonusCaption(f.fileName());
            if (!caption.isEmpty() && !sets.contains(caption.toUpper()))
                sets.insert(caption.toUpper(), f.absoluteFilePath());
        }
    }
    return sets;
}

// Menu captions show "&" as it is.
QString MenuText(const QString& caption)
{
    QString t = caption;
    return t.replace(u'&', QLatin1String("&&"));
}

}  // namespace

TFloatingPalette::TFloatingPalette(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FloatingPalette"));
    setWindowTitle(QStringLiteral("Icons"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    setFont(f);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenu();
    layout->setMenuBar(m_menuBar);
    // A panel with a 4-pixel border, filled by the list box.
    auto* panel = new QFrame(this);
    auto* inside = new QVBoxLayout(panel);
    inside->setContentsMargins(4, 4, 4, 4);
    m_list = new TIconListBox(panel);
    m_list->setObjectName(QStringLiteral("IconListBox"));
    m_list->SetXIcons(3);
    m_list->SetYIcons(3);
    inside->addWidget(m_list);
    layout->addWidget(panel);

    // 1. Only the position comes from the ini file: the size is the window's
    // own, grown where the style's scroll bar would leave room for fewer
    // than three rows.
    const int listHeight = 3 * m_list->ItemHeight() + 2 * m_list->frameWidth() +
                           m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list);
    // (The grid wraps a column one pixel before the viewport's end.)
    const int client = qMax(kClientSize, listHeight + 1 + 8);
    setFixedSize(client, client + m_menuBar->sizeHint().height());
    if (IniFile(IniFileName()).ValueExists(PlacementSection(FormClassName(this)),
                                           QStringLiteral("Bottom"))) {
        RestorePlacement(this);
    } else if (parentWidget()) {
        // Never placed before: beside the main window, clear of the page.
        QScreen* screen = parentWidget()->screen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        move(FirstPosition(parentWidget()->frameGeometry(), size(), area));
    }
    // 2.
    m_list->SetFileName(ProgramLibrary(QStringLiteral("activity.icl")));
    // 3.
    buildBonusMenu();
}

QPoint TFloatingPalette::FirstPosition(const QRect& mainFrame, const QSize& size,
                                       const QRect& available)
{
    const int top = mainFrame.top() + 110;
    const bool roomBeside = mainFrame.right() + 8 + size.width() <= available.right();
    const int left = roomBeside ? mainFrame.right() + 8 : mainFrame.right() - size.width() - 40;
    return KeepOnScreen(QRect(QPoint(left, top), size), available.size()).topLeft();
}

TFloatingPalette::~TFloatingPalette() { SavePlacement(this); }

void TFloatingPalette::buildMenu()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setNativeMenuBar(false);
    m_fileMenu = m_menuBar->addMenu(QStringLiteral("&File"));
    for (const LibraryItem& item : kLibraries) {
        QAction* a = m_fileMenu->addAction(QString::fromLatin1(item.caption));
        a->setCheckable(true);
        const QString file = QString::fromLatin1(item.file);
        connect(a, &QAction::triggered, this, [this, a, file] {
            a->setChecked(!a->isChecked());  // ShowLibrary sets the marks
            ShowLibrary(ProgramDir() + file);
        });
        m_libraryItems << a;
    }
    m_bonusItem = m_fileMenu->addAction(QStringLiteral("Bonus Icon Sets"));
    m_otherItem = m_fileMenu->addAction(QStringLiteral("Other..."));
    m_otherItem->setCheckable(true);
    connect(m_otherItem, &QAction::triggered, this, [this] {
        m_otherItem->setChecked(!m_otherItem->isChecked());
        OtherClick();
    });
}

void TFloatingPalette::buildBonusMenu()
{
    const QMap<QString, QString> sets = FindBonusSets();
    if (sets.isEmpty()) {
        // Nothing to offer: the item says so.
        connect(m_bonusItem, &QAction::triggered, this, [] {
            ShowInformation(QStringLiteral("No bonus icon sets were found in the folder ") +
                            ProgramDir() + QStringLiteral("BonusIcons."));
        });
        return;
    }
    m_bonusMenu = new QMenu(QStringLiteral("Bonus Icon Sets"), this);
    for (auto it = sets.constBegin(); it != sets.constEnd(); ++it) {
        const QString path = it.value();
        const QString caption = BonusCaption(QFileInfo(path).fileName());
        QAction* a = m_bonusMenu->addAction(MenuText(caption));
        a->setData(caption);
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, a, path] {
            a->setChecked(!a->isChecked());
            ShowLibrary(ProgramForm(path));
        });
    }
    m_bonusItem->setMenu(m_bonusMenu);
}

QStringList TFloatingPalette::BonusSetNames() const
{
    QStringList names;
    if (m_bonusMenu)
        for (const QAction* a : m_bonusMenu->actions())
            names << a->data().toString();
    return names;
}

QString TFloatingPalette::LibraryFile() const
{
    // The name it was asked for, as long as that is the library shown.
    if (!m_shownAs.isEmpty() && ResolveLibrary(m_shownAs) == m_list->FileName())
        return m_shownAs;
    return ProgramForm(m_list->FileName());
}

QString TFloatingPalette::ProgramLibrary(const QString& fileName)
{
    return DataFilePath(fileName);
}

QString TFloatingPalette::BonusCaption(const QString& fileName)
{
    return QFileInfo(fileName).fileName().section(u'.', 0, 0).left(64);
}

void TFloatingPalette::loadInto(const QString& path) { m_list->SetFileName(path); }

void TFloatingPalette::ShowLibrary(const QString& requested)
{
    m_shownAs = requested;
    const QString path = ResolveLibrary(requested);
    // 1.
    const QString name = MenuNameOf(path);
    // 2.
    bool checked = false;
    for (QAction* a : m_libraryItems) {
        const bool match = a->text().toUpper() == name;
        a->setChecked(match);
        checked = checked || match;
    }
    if (m_bonusMenu)
        for (QAction* a : m_bonusMenu->actions()) {
            const bool match = a->data().toString().toUpper() == name;
            a->setChecked(match);
            checked = checked || match;
        }
    // 3.
    const bool exists = QFileInfo(path).isFile();
    m_otherItem->setChecked(!checked && exists);
    // 4.
    if (exists && path.compare(m_list->FileName(), Qt::CaseInsensitive) != 0)
        loadInto(path);
    // 5.
    if (m_list->NumberOfIcons() <= 0)
        loadInto(ProgramLibrary(QStringLiteral("Misc1.icl")));
}

void TFloatingPalette::OtherClick()
{
    FileDialogSpec desc;
    desc.title = QStringLiteral("Open");
    desc.directory = ProgramDir();
    desc.defaultSuffix = QStringLiteral("ICL");
    desc.filter = QStringLiteral(
        "All Files (*.ICL *.DLL *.EXE *.ICO *.NIL *.icl *.dll *.exe *.ico *.nil);;"
        "ICL Files (*.ICL *.icl);;DLL Files (*.DLL *.dll);;EXE Files (*.EXE *.exe);;"
        "ICO Files (*.ICO *.ico);;NIL Files (*.NIL *.nil);;"
        "ICL and ICO Files (*.ICL *.ICO *.icl *.ico)");
    desc.selectedFilter = QStringLiteral("ICL and ICO Files (*.ICL *.ICO *.icl *.ico)");
    auto choose = [&] { return m_chooser ? m_chooser(desc) : RunOpenFileDialog(desc, this); };

    QString chosen = choose();
    if (chosen.isEmpty())
        return;
    loadInto(chosen);
    while (m_list->NumberOfIcons() <= 0) {
        ShowInformation(QStringLiteral("No icons found in ") + chosen);
        chosen = choose();
        if (chosen.isEmpty())
            break;
        loadInto(chosen);
    }
    if (m_list->NumberOfIcons() <= 0)
        loadInto(ProgramLibrary(QStringLiteral("Misc1.icl")));
    ShowLibrary(LibraryFile());
}

void TFloatingPalette::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Q_EMIT shownChanged(true);
}

void TFloatingPalette::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    Q_EMIT shownChanged(false);
}

}  // namespace dayloom

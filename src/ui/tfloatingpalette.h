#pragma once

#include <QWidget>

#include "ui/filechooser.h"

class QAction;
class QMenu;
class QMenuBar;

namespace dayloom {

class TIconListBox;

// The icon palette "Icons": a small window, always on top, showing the
// icons of one library in a grid from which they are dragged into day
// cells. Its File menu picks the library: the program's five, the bonus
// sets of the "BonusIcons" folder, or any other file; the check mark shows
// which one is loaded. The main window shows and hides it.
class TFloatingPalette : public QWidget {
    Q_OBJECT
public:
    explicit TFloatingPalette(QWidget* parent = nullptr);
    // Saves the window's placement.
    ~TFloatingPalette() override;

    TIconListBox* IconListBox() const { return m_list; }
    QMenu* FileMenu() const { return m_fileMenu; }
    QAction* BonusItem() const { return m_bonusItem; }
    QAction* OtherItem() const { return m_otherItem; }
    // The bonus sets offered, as the submenu shows them.
    QStringList BonusSetNames() const;

    bool isShowing() const { return isVisible(); }
    // The library shown, as the ini file keeps it: the path it was shown by,
    // the program's own files as paths below ProgramDir.
    QString LibraryFile() const;

    // Loads a library if it is not the one shown and moves the check mark to
    // its menu item (by its name: "holiday.icl" from any folder is
    // "Holidays"), or to "Other..." when no item has its name. When the box
    // then shows no icons, "Misc1.icl" of the program is loaded.
    void ShowLibrary(const QString& path);
    // "Other...": asks for a library until one with icons is chosen or the
    // dialog is cancelled.
    void OtherClick();
    void SetOpenFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    // A library of the program's own (looked up ignoring letter case in
    // ProgramDir, then in the installed data); ProgramDir + name when none
    // exists.
    static QString ProgramLibrary(const QString& fileName);
    // The caption of a bonus set: the file name cut at its first "." and to
    // 64 characters.
    static QString BonusCaption(const QString& fileName);
    // Where a palette of the given size goes the first time, beside a main
    // window with the given frame: just right of it when the work area has
    // room there, else inside its top right corner.
    static QPoint FirstPosition(const QRect& mainFrame, const QSize& size, const QRect& available);

Q_SIGNALS:
    void shownChanged(bool showing);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildMenu();
    void buildBonusMenu();
    void loadInto(const QString& path);

    TIconListBox* m_list = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_bonusMenu = nullptr;
    QAction* m_bonusItem = nullptr;
    QAction* m_otherItem = nullptr;
    QList<QAction*> m_libraryItems;
    FileChooser m_chooser;
    QString m_shownAs;  // the path ShowLibrary was last given
};

}  // namespace dayloom

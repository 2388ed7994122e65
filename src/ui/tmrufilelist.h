#pragma once

#include <functional>

#include <QObject>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QStringList>


class QWidget;

namespace dayloom {

class TMRUMenuItem;

// The recent-files list: file names, most recent first, shown as numbered
// items ("&1 /path/to/file") after the items of a file menu, and stored in a
// section of an ini file as F0, F1, ...
class TMRUFileList : public QObject {
    Q_OBJECT
public:
    using MRUItemClick = std::function<void(QObject* sender, const QString& fileName)>;

    explicit TMRUFileList(QObject* owner = nullptr);
    // With AutoSave the list is saved here.
    ~TMRUFileList() override;

    int Maximum() const { return m_maximum; }
    // 0..255; the list is cut to the new capacity.
    void SetMaximum(int maximum);
    bool RemoveOnClick() const { return m_removeOnClick; }
    void SetRemoveOnClick(bool remove) { m_removeOnClick = remove; }
    bool UseSubmenu() const { return m_useSubmenu; }
    void SetUseSubmenu(bool use);
    QString SubmenuName() const { return m_submenuName; }
    void SetSubmenuName(const QString& name);
    MRUItemClick OnMRUItemClick() const { return m_onClick; }
    void SetOnMRUItemClick(MRUItemClick handler) { m_onClick = std::move(handler); }
    QMenu* FileMenu() const { return m_fileMenu; }
    // Takes the entries out of the old menu and rebuilds in the new one.
    void SetFileMenu(QMenu* menu);
    bool AutoSave() const { return m_autoSave; }
    void SetAutoSave(bool autoSave) { m_autoSave = autoSave; }
    QString AutoSaveName() const { return m_autoSaveName; }
    void SetAutoSaveName(const QString& name) { m_autoSaveName = name; }
    QString AutoSaveKey() const { return m_autoSaveKey; }
    void SetAutoSaveKey(const QString& key) { m_autoSaveKey = key; }

    QStringList Items() const { return m_items; }
    int Count() const { return int(m_items.size()); }

    // Puts the name at the top (an entry that differs only in letter case
    // moves up) and drops entries beyond Maximum.
    void Add(const QString& fileName);
    // Removes the entry (ignoring case); true when there was one.
    bool Remove(const QString& fileName);
    void Clear();
    // While updates are pending, Add does not rebuild the menu.
    void BeginUpdate() { ++m_updating; }
    void EndUpdate();

    // Both do nothing when AutoSaveName or AutoSaveKey is empty; Save
    // returns true when it ran (and the file was written).
    void Load();
    bool Save();
    // With AutoSave on, the list loads itself (as when it is read from a form).
    void Loaded();

    void RebuildMenu();
    // What choosing entry `number` (1-based) does.
    void ItemClicked(int number);

private:
    void removeMenuItems();
    QWidget* targetMenu(int* insertBefore) const;

    int m_maximum = 5;
    bool m_removeOnClick = true;
    bool m_useSubmenu = false;
    QString m_submenuName = QStringLiteral("Reopen");
    MRUItemClick m_onClick;
    QPointer<QMenu> m_fileMenu;
    bool m_autoSave = true;
    QString m_autoSaveName = QStringLiteral("\\Software\\My Application");
    QString m_autoSaveKey = QStringLiteral("MRU Items");
    QStringList m_items;
    int m_updating = 0;
    QList<QPointer<QObject>> m_menuObjects;  // items and submenu this list added
};

}  // namespace dayloom

#include "ui/tmrufilelist.h"

#include <QMenu>
#include <QWidget>

#include "stream/inifile.h"
#include "ui/tmrumenuitem.h"

namespace dayloom {

TMRUFileList::TMRUFileList(QObject* owner) : QObject(owner) {}

TMRUFileList::~TMRUFileList()
{
    if (m_autoSave)
        Save();
    removeMenuItems();
}

void TMRUFileList::SetMaximum(int maximum)
{
    m_maximum = qBound(0, maximum, 255);
    if (m_items.size() > m_maximum) {
        m_items = m_items.mid(0, m_maximum);
        if (m_updating == 0)
            RebuildMenu();
    }
}

void TMRUFileList::SetUseSubmenu(bool use)
{
    if (use == m_useSubmenu)
        return;
    m_useSubmenu = use;
    RebuildMenu();
}

void TMRUFileList::SetSubmenuName(const QString& name)
{
    if (name == m_submenuName)
        return;
    m_submenuName = name;
    if (m_useSubmenu)
        RebuildMenu();
}

void TMRUFileList::SetFileMenu(QMenu* menu)
{
    removeMenuItems();
    m_fileMenu = menu;
    RebuildMenu();
}

void TMRUFileList::Add(const QString& fileName)
{
    qsizetype found = -1;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i).compare(fileName, Qt::CaseInsensitive) == 0) {
            found = i;
            break;
        }
    }
    if (found < 0) {
        m_items.prepend(fileName);
        while (m_items.size() > m_maximum)
            m_items.removeLast();
    } else {
        m_items.move(found, 0);
    }
    if (m_updating == 0)
        RebuildMenu();
}

bool TMRUFileList::Remove(const QString& fileName)
{
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i).compare(fileName, Qt::CaseInsensitive) == 0) {
            m_items.removeAt(i);
            if (m_updating == 0)
                RebuildMenu();
            return true;
        }
    }
    return false;
}

void TMRUFileList::Clear()
{
    m_items.clear();
    if (m_updating == 0)
        RebuildMenu();
}

void TMRUFileList::EndUpdate()
{
    if (m_updating > 0 && --m_updating == 0)
        RebuildMenu();
}

void TMRUFileList::Load()
{
    if (m_autoSaveName.isEmpty() || m_autoSaveKey.isEmpty())
        return;
    const IniFile ini(m_autoSaveName);
    m_items.clear();
    for (const QString& line : ini.ReadSection(m_autoSaveKey)) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString value = eq >= 0 ? line.mid(eq + 1) : line;
        if (!value.isEmpty() && m_items.size() < m_maximum)
            m_items.append(value);
    }
    if (m_updating == 0)
        RebuildMenu();
}

bool TMRUFileList::Save()
{
    if (m_autoSaveName.isEmpty() || m_autoSaveKey.isEmpty())
        return false;
    IniFile ini(m_autoSaveName);
    ini.BeginUpdate();
    ini.EraseSection(m_autoSaveKey);
    for (qsizetype i = 0; i < m_items.size(); ++i)
        ini.WriteString(m_autoSaveKey, QStringLiteral("F") + QString::number(i), m_items.at(i));
    return ini.EndUpdate();
}

void TMRUFileList::Loaded()
{
    if (m_autoSave)
        Load();
}

void TMRUFileList::removeMenuItems()
{
    // Deleted later: the item being chosen may be the one that goes.
    for (const QPointer<QObject>& o : m_menuObjects) {
        if (!o)
            continue;
        if (auto* action = qobject_cast<QAction*>(o.data())) {
            for (QObject* w : action->associatedObjects())
                if (auto* widget = qobject_cast<QWidget*>(w))
                    widget->removeAction(action);
        }
        o->deleteLater();
    }
    m_menuObjects.clear();
}

QWidget* TMRUFileList::targetMenu(int* insertBefore) const
{
    *insertBefore = -1;
    if (!m_fileMenu->actions().isEmpty())
        return m_fileMenu;
    // An empty file menu puts the entries before itself in its parent.
    QAction* own = m_fileMenu->menuAction();
    for (QObject* o : own->associatedObjects()) {
        if (auto* parent = qobject_cast<QWidget*>(o)) {
            if (parent == m_fileMenu)
                continue;
            *insertBefore = int(parent->actions().indexOf(own));
            return parent;
        }
    }
    return m_fileMenu;
}

void TMRUFileList::RebuildMenu()
{
    if (!m_fileMenu)
        return;
    removeMenuItems();
    if (m_items.isEmpty())
        return;
    int before = -1;
    QWidget* target = targetMenu(&before);
    QAction* beforeAction = before >= 0 ? target->actions().value(before) : nullptr;
    auto insert = [&](QWidget* into, QAction* action, QAction* at) {
        if (at)
            into->insertAction(at, action);
        else
            into->addAction(action);
    };

    // A separator without text: styles draw a separator's text beside it.
    auto* separator = new TMRUMenuItem(QString(), 0, this);
    separator->setSeparator(true);
    insert(target, separator, beforeAction);
    m_menuObjects.append(separator);

    QWidget* entries = target;
    QAction* entriesBefore = beforeAction;
    if (m_useSubmenu) {
        auto* submenu = new QMenu(target);
        auto* holder = new TMRUMenuItem(m_submenuName, 0, this);
        holder->setMenu(submenu);
        insert(target, holder, beforeAction);
        m_menuObjects.append(holder);
        m_menuObjects.append(submenu);
        entries = submenu;
        entriesBefore = nullptr;
    }
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const int number = int(i) + 1;
        QString path = m_items.at(i);
        path.replace(QLatin1Char('&'), QStringLiteral("&&"));  // no mnemonic inside the path
        auto* item = new TMRUMenuItem(QStringLiteral("&") + QString::number(number) +
                                          QStringLiteral(" ") + path,
                                      number, this);
        connect(item, &QAction::triggered, this, [this, number] { ItemClicked(number); });
        insert(entries, item, entriesBefore);
        m_menuObjects.append(item);
    }
}

void TMRUFileList::ItemClicked(int number)
{
    if (number < 1 || number > m_items.size())
        return;
    const QString fileName = m_items.at(number - 1);
    if (m_removeOnClick) {
        m_items.removeAt(number - 1);
        RebuildMenu();
    }
    if (m_onClick)
        m_onClick(this, fileName);
}

}  // namespace dayloom

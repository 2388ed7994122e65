#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QImage>
#include <QListWidget>

#include "imaging/iconlibrary.h"

class QMimeData;

namespace dayloom {

// The MIME type a drag from an icon list box carries beside the icon's
// picture: the library's path and the icon's number, one per line.
inline constexpr const char* kIconDragMimeType = "application/x-dayloom-icon";
// True when the drag comes from an icon list box.
bool IsIconDrag(const QMimeData* data);

// The icons of one library as a grid of cells, one item per icon (its text
// is the icon's number). An icon is extracted when its cell is first drawn,
// or all of them at once when caching is off. The selected icon is what a
// drag from the box carries. TIconListBox and TGIconListBox differ only in
// the room around each icon and in how the grid is set up.
class IconListBoxBase : public QListWidget {
    Q_OBJECT
public:
    QString FileName() const { return m_fileName; }
    // A different name reloads the icons and then emits FileChanged.
    void SetFileName(const QString& fileName);
    bool AutoDisable() const { return m_autoDisable; }
    void SetAutoDisable(bool autoDisable);
    bool EnableCaching() const { return m_caching; }
    // Switching caching off reloads, extracting every icon.
    void SetEnableCaching(bool caching);
    // Icons in the loaded library; -1 when nothing is loaded.
    int NumberOfIcons() const { return m_count; }

    // The cell of an item: the standard icon size plus the allowance.
    int ItemHeight() const { return IconFile::kStandardSize + m_allowance; }
    int ColumnWidth() const { return IconFile::kStandardSize + m_allowance; }

    // Icon n, extracted now if it was not yet; null when it cannot be read.
    QImage Icon(int index);
    // Whether icon n has been extracted (for the caching rule).
    bool IsExtracted(int index) const;
    // What a drag of the selected icon carries; null when nothing is selected.
    QMimeData* SelectedIconData() const;

    // Tests replace the platform drag with their own step, which gets the
    // drag's data.
    using DragRunner = std::function<void(QMimeData* data)>;
    static void SetDragRunner(DragRunner runner);

Q_SIGNALS:
    void FileChanged();

protected:
    IconListBoxBase(int allowance, QWidget* parent);
    void startDrag(Qt::DropActions supportedActions) override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;

private:
    friend class IconItemDelegate;
    void reload();
    void updateEnabled();

    int m_allowance;
    QString m_fileName;
    bool m_autoDisable = true;
    bool m_caching = true;
    int m_count = -1;
    IconLibrary m_library;
    // The extracted icons, owned here; an empty slot is not yet extracted.
    std::vector<std::optional<QImage>> m_icons;
};

// The palette's grid: 6 pixels around each icon, XIcons columns and YIcons
// rows shown, scrolling sideways when there are more.
class TIconListBox : public IconListBoxBase {
    Q_OBJECT
public:
    explicit TIconListBox(QWidget* parent = nullptr);
    int XIcons() const { return m_xIcons; }
    int YIcons() const { return m_yIcons; }
    // Values below 1 are ignored; the box takes the size of the grid.
    void SetXIcons(int columns);
    void SetYIcons(int rows);
    QString Version() const { return QStringLiteral("TIconListBox v1.10"); }

private:
    void fitToGrid();
    int m_xIcons = 4;
    int m_yIcons = 1;
};

// A plainer grid with 2 pixels around each icon, one row or one column.
class TGIconListBox : public IconListBoxBase {
    Q_OBJECT
public:
    enum TOrientation { lbHorizontal, lbVertical };
    explicit TGIconListBox(QWidget* parent = nullptr);
    TOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TOrientation orientation);

private:
    TOrientation m_orientation = lbVertical;
};

}  // namespace dayloom

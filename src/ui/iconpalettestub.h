#pragma once

#include <QObject>
#include <QString>

namespace dayloom {

// Stands in for the icon palette window until it exists: it only remembers
// whether it is showing and which icon library it holds, so that the main
// window's rules about the palette can run and be tested.
class IconPaletteStub : public QObject {
    Q_OBJECT
public:
    explicit IconPaletteStub(QObject* parent = nullptr) : QObject(parent) {}

    bool isShowing() const { return m_showing; }
    void show()
    {
        if (m_showing)
            return;
        m_showing = true;
        Q_EMIT shownChanged(true);
    }
    void hide()
    {
        if (!m_showing)
            return;
        m_showing = false;
        Q_EMIT shownChanged(false);
    }
    QString LibraryFile() const { return m_file; }
    void LoadLibrary(const QString& file) { m_file = file; }

Q_SIGNALS:
    void shownChanged(bool showing);

private:
    bool m_showing = false;
    QString m_file;
};

}  // namespace dayloom

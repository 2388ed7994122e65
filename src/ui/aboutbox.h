#pragma once

#include <QDialog>

namespace dayloom {

// The About box: program name, version and the width of the build.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    // "Version 3.2q"
    static QString VersionLine();
    // "64-bit version" on a 64-bit build, else "32-bit version".
    static QString BuildLine();
};

}  // namespace dayloom

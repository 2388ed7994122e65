#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace dayloom::test {

// Folder of committed fixtures (tests/data).
QString DataPath(const QString& name);
// Top of the source tree (for the shipped data under data/).
QString SourcePath(const QString& relative);
QByteArray ReadFile(const QString& path);
// Writes an image for a person to look at when DAYLOOM_TEST_SHOTS names a folder.
void SaveShot(const QImage& image, const QString& name);

}  // namespace dayloom::test

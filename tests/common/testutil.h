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

// Special files for the tests of readers and writers. A named pipe (with no
// writer: a reader that opens it the ordinary way waits for ever); a sparse
// file of the given size that takes no disk space. Both return the path, or
// an empty string when it could not be made.
QString MakeFifo(const QString& path);
QString MakeSparseFile(const QString& path, qint64 size);
// Whether path is a character device (such as /dev/null) and not a file.
bool IsCharacterDevice(const QString& path);

}  // namespace dayloom::test

// dayloom --icons LIBRARY OUTDIR: the icons of a library as PNG files.
#include <cstdio>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include "cli/commandline.h"
#include "core/fileaccess.h"
#include "imaging/iconlibrary.h"

namespace dayloom {

namespace {

void printErr(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputs("\n", stderr);
}

}  // namespace

int RunIcons(const CommandLine& cl)
{
    const IconLibrary library = IconLibrary::FromFile(cl.iconLibrary);
    if (library.Count() == 0) {
        printErr(QStringLiteral("No icons found in ") + cl.iconLibrary);
        return 1;
    }
    // The folder is never made here: a mistyped name should not leave one.
    const QFileInfo folder(cl.iconFolder);
    if (!folder.isDir()) {
        printErr(QStringLiteral("No such folder: ") + cl.iconFolder);
        return 3;
    }
    if (!folder.isWritable()) {
        printErr(QStringLiteral("Unable to write to ") + cl.iconFolder);
        return 3;
    }
    std::printf("%d\n", library.Count());
    std::fflush(stdout);
    const QDir out(folder.absoluteFilePath());
    for (int n = 0; n < library.Count(); ++n) {
        const QImage icon = library.Icon(n);
        if (icon.isNull()) {
            printErr(QStringLiteral("Icon %1 of %2 cannot be read").arg(n).arg(cl.iconLibrary));
            continue;
        }
        const QString file = out.filePath(QStringLiteral("%1.png").arg(n));
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !icon.save(&buffer, "PNG") ||
            !SaveFileContents(file, png)) {
            printErr(QStringLiteral("Unable to save ") + file);
            return 3;
        }
    }
    return 0;
}

}  // namespace dayloom

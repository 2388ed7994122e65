#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Writers of icon images, .ICO files and 16-bit (NE) icon libraries, for the
// icon-library generator and for the tests' fixtures. The program itself
// only reads these formats.
namespace iconwriter {

// One image of an icon: a DIB with its XOR bitmap and AND mask, as an .ICO
// entry or an RT_ICON resource holds it.
struct IconImage {
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    int ColorCount = 0;  // 0 for 8 bits and more
    QByteArray Data;
};

// Encodes an image in 1, 4, 8 or 32 bits per pixel. A pixel with alpha
// below 128 is transparent in the AND mask; 32 bits keep the alpha itself.
// 1 and 4 bits use the standard 2- and 16-colour palettes, 8 bits a
// 6 x 6 x 6 colour cube with greys; colours go to the nearest entry.
IconImage EncodeImage(const QImage& image, int bitCount);

// An .ICO file holding the images.
QByteArray WriteIcoFile(const QList<IconImage>& images);

// One icon group of a library: named when Name is not empty, else numbered
// (the groups without names get 1, 2, 3 ... in order).
struct IconGroup {
    QByteArray Name;
    QList<IconImage> Images;
};

// A 16-bit Windows library (NE) whose only resources are the groups and
// their images: what .ICL files are. The module name goes into the
// resident name table, the description into the non-resident one.
QByteArray WriteNeLibrary(const QList<IconGroup>& groups, const QByteArray& moduleName,
                          const QByteArray& description);

}  // namespace iconwriter

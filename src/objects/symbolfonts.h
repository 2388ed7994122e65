#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace dayloom {

// Symbol fonts: TrueType fonts whose character map is the symbol one
// (platform 3, encoding 0). Their characters are addressed by an 8-bit code;
// text stores that code as an 8-bit character and draws it as U+F000 + code,
// where such a font keeps its glyphs.
class SymbolFonts {
public:
    // Folders whose TrueType files are added to the application's fonts the
    // first time symbol fonts are asked for (Debian's fonts-wine keeps its
    // wingding, webdings, marlett and symbol fonts outside fontconfig's
    // folders). Tests may set their own before the first use.
    static void SetExtraFontFolders(const QStringList& folders);
    // Adds the fonts of those folders once.
    static void LoadExtraFonts();

    // True when the table (a font's "cmap") holds a platform 3, encoding 0 map.
    static bool HasSymbolCharacterMap(const QByteArray& cmap);
    // True when the family is an installed symbol font (the answer is kept).
    static bool IsSymbolFont(const QString& family);
    // The installed symbol fonts, sorted ignoring letter case.
    static QStringList Families();

    // The text as a symbol font draws it: every character Windows-1252
    // codes as 32..255 becomes U+F000 + that code; others stay.
    static QString DrawnText(const QString& text);
    // The stored one-character text of a symbol code (32..255).
    static QString CharacterOf(int code);
};

}  // namespace dayloom

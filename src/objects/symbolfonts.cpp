#include "objects/symbolfonts.h"

#include <algorithm>

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QRawFont>
#include <QtEndian>

#include "core/cp1252.h"

namespace dayloom {

namespace {

QStringList& extraFolders()
{
    static QStringList folders{QStringLiteral("/usr/share/wine/fonts")};
    return folders;
}

bool& extraLoaded()
{
    static bool loaded = false;
    return loaded;
}

QHash<QString, bool>& symbolCache()
{
    static QHash<QString, bool> cache;
    return cache;
}

}  // namespace

void SymbolFonts::SetExtraFontFolders(const QStringList& folders)
{
    extraFolders() = folders;
    extraLoaded() = false;
}

void SymbolFonts::LoadExtraFonts()
{
    if (extraLoaded() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    extraLoaded() = true;
    bool added = false;
    for (const QString& folder : extraFolders()) {
        const QDir dir(folder);
        const QStringList files =
            dir.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.TTF")}, QDir::Files, QDir::Name);
        for (const QString& file : files) {
            const QString path = dir.filePath(file);
            // Families the system already has are left to it.
            if (QFontDatabase::addApplicationFont(path) >= 0)
                added = true;
        }
    }
    if (added)
        symbolCache().clear();
}

bool SymbolFonts::HasSymbolCharacterMap(const QByteArray& cmap)
{
    // cmap: version, number of tables, then (platform, encoding, offset)
    // records of 8 bytes, all big-endian.
    if (cmap.size() < 4)
        return false;
    const uchar* d = reinterpret_cast<const uchar*>(cmap.constData());
    const int count = qFromBigEndian<quint16>(d + 2);
    for (int i = 0; i < count; ++i) {
        const qsizetype at = 4 + qsizetype(i) * 8;
        if (at + 8 > cmap.size())
            break;
        if (qFromBigEndian<quint16>(d + at) == 3 && qFromBigEndian<quint16>(d + at + 2) == 0)
            return true;
    }
    return false;
}

bool SymbolFonts::IsSymbolFont(const QString& family)
{
    if (family.isEmpty())
        return false;
    LoadExtraFonts();
    QHash<QString, bool>& cache = symbolCache();
    const QString key = family.toLower();
    const auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    bool symbol = false;
    if (QFontDatabase::isScalable(family)) {
        QFont font(family);
        font.setPixelSize(32);
        const QRawFont raw = QRawFont::fromFont(font);
        // Only the family itself counts, never the font a lookup falls back to.
        if (raw.isValid() && raw.familyName().compare(family, Qt::CaseInsensitive) == 0)
            symbol = HasSymbolCharacterMap(raw.fontTable("cmap"));
    }
    cache.insert(key, symbol);
    return symbol;
}

QStringList SymbolFonts::Families()
{
    LoadExtraFonts();
    QStringList out;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family) && IsSymbolFont(family) && !out.contains(family))
            out << family;
    std::sort(out.begin(), out.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return out;
}

QString SymbolFonts::DrawnText(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        const int code = cp1252Byte(c.unicode());
        if (code >= 32)
            c = QChar(char16_t(0xF000 + code));
    }
    return out;
}

QString SymbolFonts::CharacterOf(int code)
{
    if (code < 0 || code > 255)
        return {};
    return QString(QChar(cp1252Char(uchar(code))));
}

}  // namespace dayloom

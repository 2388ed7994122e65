#pragma once

#include <vector>

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>

#include "imaging/iconfile.h"

namespace dayloom {

// The icons of an icon library, a program or an icon file, numbered as the
// icon palette shows them:
// - an .ICO file is one icon;
// - a 16-bit NE file (.ICL, .NIL, old .EXE and .DLL) holds its icon groups in
//   the order its resource table lists them;
// - a 32- or 64-bit PE file (.EXE, .DLL) holds its icon groups in resource
//   directory order: groups with names first, by name, then numbered ones,
//   ascending.
// The file is read once; an icon is decoded only when it is asked for. Every
// offset and count of the file is checked: a damaged resource table yields
// the groups that are whole, and a damaged group fails alone.
class IconLibrary {
public:
    enum Kind { NoIcons, IcoFile, NeFile, PeFile };
    IconLibrary() = default;
    static IconLibrary FromBytes(const QByteArray& bytes);
    // An unreadable, oversized or unknown file has no icons.
    static IconLibrary FromFile(const QString& path);

    Kind Format() const { return FKind; }
    int Count() const { return int(FGroups.size()); }
    // The group's resource name ("#12" for a numbered one; empty for an .ICO).
    QString GroupName(int n) const;
    // Icon n's images; throws the image read error when it cannot be read.
    IconFile Group(int n) const;
    // Icon n at the standard size, 32 x 32 ARGB32 with transparency: the
    // group's 32 x 32 image of the most colours, or the image nearest that
    // size scaled to it. Null when icon n cannot be read.
    QImage Icon(int n) const;

private:
    struct Span {
        qsizetype Offset = 0;
        qsizetype Size = 0;
    };
    struct GroupEntry {
        QString Name;
        Span Data;
    };
    void readNe(qsizetype header);
    void readPe(qsizetype header);
    QByteArray bytesOf(Span span) const { return FBytes.mid(span.Offset, span.Size); }

    QByteArray FBytes;
    Kind FKind = NoIcons;
    std::vector<GroupEntry> FGroups;
    QHash<quint16, Span> FIcons;  // the RT_ICON resources by id
};

}  // namespace dayloom

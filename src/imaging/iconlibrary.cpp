#include "imaging/iconlibrary.h"

#include <algorithm>
#include <cstdlib>
#include <optional>


#include "core/bytereader.h"
#include "core/fileaccess.h"
#include "imaging/dibreader.h"
#include "imaging/imagingerror.h"

namespace dayloom {

namespace {

constexpr quint16 kNeIcon = 0x8003;
constexpr quint16 kNeGroupIcon = 0x800E;
constexpr quint32 kPeIcon = 3;
constexpr quint32 kPeGroupIcon = 14;
// An NE resource table shifts its offsets by at most this many bits; more
// would place every resource far past any file this reader takes.
constexpr int kMaxNeShift = 24;

// One entry of a PE resource directory.
struct DirEntry {
    bool Named = false;
    quint32 Id = 0;       // the number, or the name's offset in the resource section
    bool IsDir = false;
    quint32 Target = 0;   // a subdirectory's or a data entry's offset in the section
};

// The entries of the directory at base + rel, as far as they are in the file.
std::vector<DirEntry> readDirectory(const ByteReader& r, qsizetype base, quint32 rel)
{
    std::vector<DirEntry> entries;
    const qsizetype at = base + qsizetype(rel);
    const int count = int(r.U16At(at + 12)) + int(r.U16At(at + 14));
    for (int i = 0; i < count; ++i) {
        const qsizetype pos = at + 16 + 8 * qsizetype(i);
        if (pos + 8 > r.Size())
            break;
        const quint32 name = r.U32At(pos);
        const quint32 target = r.U32At(pos + 4);
        DirEntry e;
        e.Named = (name & 0x80000000u) != 0;
        e.Id = name & 0x7FFFFFFFu;
        e.IsDir = (target & 0x80000000u) != 0;
        e.Target = target & 0x7FFFFFFFu;
        entries.push_back(e);
    }
    return entries;
}

// A PE resource name: a count of UTF-16 units and the units.
QString readPeName(const ByteReader& r, qsizetype at)
{
    const int length = r.U16At(at);
    QString name;
    name.reserve(length);
    for (int i = 0; i < length; ++i)
        name.append(QChar(r.U16At(at + 2 + 2 * qsizetype(i))));
    return name;
}

// An icon image is whole when its XOR bitmap and AND mask are both there
// (a PNG image is left to its decoder).
bool IsWholeImage(const QByteArray& data)
{
    if (data.startsWith("\x89PNG"))
        return true;
    try {
        const DibInfo info = DibReader::ReadInfo(data.constData(), data.size());
        const qint64 height = info.Height / 2;  // the XOR bitmap's and the mask's
        const qint64 need = qint64(info.HeaderSize) + info.TableSize +
                            qint64(DibReader::RowBytes(info.Width, info.BitCount)) * height +
                            qint64(DibReader::RowBytes(info.Width, 1)) * height;
        // Icon images are never compressed: such a one is not decoded at all.
        return info.Compression == 0 && need <= data.size();
    } catch (const ReadError&) {
        return false;
    }
}

}  // namespace

IconLibrary IconLibrary::FromBytes(const QByteArray& bytes)
{
    IconLibrary lib;
    lib.FBytes = bytes;
    const ByteReader r(bytes, kImageReadError);
    try {
        if (bytes.startsWith(QByteArray("\0\0\1\0", 4))) {
            IconFile::FromBytes(bytes);
            lib.FKind = IcoFile;
            lib.FGroups.push_back({QString(), {0, bytes.size()}});
            return lib;
        }
        if (!bytes.startsWith("MZ"))
            return lib;
        const qsizetype header = r.U32At(0x3C);
        if (r.U16At(header) == 0x454E) {  // "NE"
            lib.FKind = NeFile;
            lib.readNe(header);
        } else if (r.U32At(header) == 0x00004550) {  // "PE\0\0"
            lib.FKind = PeFile;
            lib.readPe(header);
        }
    } catch (const ReadError&) {
        // What was found before the damage is kept.
    }
    if (lib.FGroups.empty())
        lib.FKind = NoIcons;
    return lib;
}

IconLibrary IconLibrary::FromFile(const QString& path)
{
    QByteArray bytes;
    if (ReadInputFile(path, InputKind::IconLibrary, &bytes) != InputFault::None)
        return {};
    return FromBytes(bytes);
}

void IconLibrary::readNe(qsizetype header)
{
    ByteReader r(FBytes, kImageReadError);
    // A module without resources has its resource table where the resident
    // names begin.
    if (r.U16At(header + 0x24) == r.U16At(header + 0x26))
        return;
    const qsizetype table = header + r.U16At(header + 0x24);
    r.Seek(table);
    const int shift = r.U16();
    if (shift > kMaxNeShift)
        return;
    auto span = [this, shift](quint16 units, quint16 lengthUnits) -> std::optional<Span> {
        const qint64 offset = qint64(units) << shift;
        const qint64 length = qint64(lengthUnits) << shift;
        if (offset <= 0 || offset >= FBytes.size() || length <= 0)
            return std::nullopt;
        // The length is rounded up to the alignment: the last resource may
        // end with the file.
        return Span{qsizetype(offset), qsizetype(std::min<qint64>(length, FBytes.size() - offset))};
    };
    // The type records end with a zero type; every record moves the reader
    // on, so a lying table ends at the end of the file at the latest.
    while (true) {
        const quint16 type = r.U16();
        if (type == 0)
            break;
        const int count = r.U16();
        r.U32();
        for (int i = 0; i < count; ++i) {
            r.Need(12);
            const quint16 offset = r.U16();
            const quint16 length = r.U16();
            r.U16();  // flags
            const quint16 id = r.U16();
            r.U32();  // handle and usage
            const std::optional<Span> data = span(offset, length);
            if (!data)
                continue;
            if (type == kNeGroupIcon) {
                QString name;
                if (id & 0x8000) {
                    name = QStringLiteral("#%1").arg(id & 0x7FFF);
                } else {
                    // A name: a length byte and the characters, in the table.
                    // A name past the end leaves the group nameless.
                    try {
                        ByteReader n(FBytes, kImageReadError);
                        n.Seek(table + id);
                        name = QString::fromLatin1(n.Bytes(n.U8()));
                    } catch (const ReadError&) {
                    }
                }
                FGroups.push_back({name, *data});
            } else if (type == kNeIcon && (id & 0x8000) && !FIcons.contains(id & 0x7FFF)) {
                FIcons.insert(quint16(id & 0x7FFF), *data);
            }
        }
    }
}

void IconLibrary::readPe(qsizetype header)
{
    const ByteReader r(FBytes, kImageReadError);
    const int sectionCount = r.U16At(header + 6);
    const int optionalSize = r.U16At(header + 20);
    const qsizetype optional = header + 24;
    qsizetype dirs = 0;
    quint32 dirCount = 0;
    switch (r.U16At(optional)) {
    case 0x10B:  // PE32
        dirCount = r.U32At(optional + 92);
        dirs = optional + 96;
        break;
    case 0x20B:  // PE32+
        dirCount = r.U32At(optional + 108);
        dirs = optional + 112;
        break;
    default:
        return;
    }
    // The resource table is the third data directory.
    if (dirCount < 3 || dirs + 24 > optional + optionalSize)
        return;
    const quint32 resourceRva = r.U32At(dirs + 16);
    if (resourceRva == 0)
        return;

    struct Section {
        quint32 Address, RawSize, RawOffset;
    };
    std::vector<Section> sections;
    const qsizetype table = optional + optionalSize;
    for (int i = 0; i < sectionCount; ++i) {
        const qsizetype at = table + 40 * qsizetype(i);
        if (at + 40 > r.Size())
            break;
        sections.push_back({r.U32At(at + 12), r.U32At(at + 16), r.U32At(at + 20)});
    }
    // A relative virtual address and a length as bytes of the file: they
    // must lie in one section's raw data and in the file.
    auto toFile = [&](quint32 rva, quint32 size) -> std::optional<Span> {
        for (const Section& s : sections) {
            if (rva < s.Address || qint64(rva) - s.Address >= s.RawSize)
                continue;
            const qint64 offset = qint64(s.RawOffset) + (qint64(rva) - s.Address);
            const qint64 inSection = qint64(s.RawSize) - (qint64(rva) - s.Address);
            const qint64 available = std::min<qint64>(inSection, qint64(FBytes.size()) - offset);
            if (offset >= FBytes.size() || qint64(size) > available)
                return std::nullopt;
            return Span{qsizetype(offset), qsizetype(size)};
        }
        return std::nullopt;
    };
    const std::optional<Span> root = toFile(resourceRva, 16);
    if (!root)
        return;
    const qsizetype base = root->Offset;

    // The data of one named or numbered resource: its first language.
    auto dataOf = [&](const DirEntry& e) -> std::optional<Span> {
        quint32 entry = e.Target;
        if (e.IsDir) {
            bool found = false;
            for (const DirEntry& language : readDirectory(r, base, e.Target))
                if (!language.IsDir) {
                    entry = language.Target;
                    found = true;
                    break;
                }
            if (!found)
                return std::nullopt;
        }
        const qsizetype at = base + qsizetype(entry);
        return toFile(r.U32At(at), r.U32At(at + 4));
    };

    std::vector<DirEntry> groupNames;
    for (const DirEntry& type : readDirectory(r, base, 0)) {
        if (type.Named || !type.IsDir)
            continue;
        if (type.Id == kPeIcon) {
            for (const DirEntry& icon : readDirectory(r, base, type.Target)) {
                if (icon.Named || icon.Id > 0xFFFF || FIcons.contains(quint16(icon.Id)))
                    continue;
                try {
                    if (const std::optional<Span> data = dataOf(icon))
                        FIcons.insert(quint16(icon.Id), *data);
                } catch (const ReadError&) {
                }
            }
        } else if (type.Id == kPeGroupIcon && groupNames.empty()) {
            groupNames = readDirectory(r, base, type.Target);
        }
    }

    std::vector<GroupEntry> named, numbered;
    std::vector<quint32> numbers;
    for (const DirEntry& e : groupNames) {
        try {
            const std::optional<Span> data = dataOf(e);
            if (!data)
                continue;
            if (e.Named) {
                named.push_back({readPeName(r, base + qsizetype(e.Id)), *data});
            } else {
                numbered.push_back({QStringLiteral("#%1").arg(e.Id), *data});
                numbers.push_back(e.Id);
            }
        } catch (const ReadError&) {
        }
    }
    // A well-made directory is already in this order; a hand-made one is
    // put into it.
    std::stable_sort(named.begin(), named.end(),
                     [](const GroupEntry& a, const GroupEntry& b) { return a.Name < b.Name; });
    std::vector<size_t> order(numbered.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return numbers[a] < numbers[b]; });
    FGroups = std::move(named);
    for (size_t i : order)
        FGroups.push_back(numbered[i]);
}

QString IconLibrary::GroupName(int n) const
{
    if (n < 0 || n >= Count())
        return QString();
    return FGroups[size_t(n)].Name;
}

IconFile IconLibrary::Group(int n) const
{
    if (n < 0 || n >= Count())
        ThrowImageError();
    if (FKind == IcoFile)
        return IconFile::FromBytes(FBytes);
    return IconFile::FromGroup(bytesOf(FGroups[size_t(n)].Data), [this](quint16 id) {
        const auto it = FIcons.constFind(id);
        return it == FIcons.constEnd() ? QByteArray() : bytesOf(*it);
    });
}

QImage IconLibrary::Icon(int n) const
{
    constexpr int size = IconFile::kStandardSize;
    try {
        const IconFile group = Group(n);
        // Nearest to the standard size first, more colours first among equals;
        // an image that does not decode gives way to the next.
        std::vector<int> order(size_t(group.ImageCount()));
        for (int i = 0; i < group.ImageCount(); ++i)
            order[size_t(i)] = i;
        auto distance = [&](int i) {
            const IconEntry& e = group.Entry(i);
            return std::abs(e.Width - size) + std::abs(e.Height - size);
        };
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            if (distance(a) != distance(b))
                return distance(a) < distance(b);
            if (group.Entry(a).BitCount != group.Entry(b).BitCount)
                return group.Entry(a).BitCount > group.Entry(b).BitCount;
            // A larger image shrinks better than a smaller one grows.
            return group.Entry(a).Width > group.Entry(b).Width;
        });
        for (int i : order) {
            if (!IsWholeImage(group.Entry(i).Data))
                continue;
            QImage image;
            try {
                image = group.Image(i);
            } catch (const ReadError&) {
                continue;
            }
            if (image.isNull())
                continue;
            if (image.size() != QSize(size, size)) {
                const bool shrink = image.width() > size || image.height() > size;
                image = image.scaled(size, size, Qt::IgnoreAspectRatio,
                                     shrink ? Qt::SmoothTransformation : Qt::FastTransformation);
            }
            return image.convertToFormat(QImage::Format_ARGB32);
        }
    } catch (const ReadError&) {
    }
    return QImage();
}

}  // namespace dayloom

#include "imaging/svgimport.h"

#include <cmath>
#include <vector>

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QLoggingCategory>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include "imaging/emfwriter.h"
#include "imaging/imagingerror.h"
#include "imaging/rasterreader.h"

namespace dayloom {

namespace {

constexpr int kMaxDepth = 256;
constexpr qint64 kMaxDrawnElements = 2'000'000;
constexpr qint64 kMaxEntityText = 1024 * 1024;
constexpr qint64 kMaxEmbeddedPixels = 16'000'000;
constexpr int kFallbackSize = 256;

[[noreturn]] void Refuse()
{
    ThrowImageError();
}

// QtSvg's warnings about what it does not support are not the user's
// business; they are switched off once.
void QuietSvgWarnings()
{
    static const bool done = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("qt.svg.warning=false"));
        return true;
    }();
    Q_UNUSED(done);
}

bool LocalReference(QStringView target)
{
    const QStringView t = target.trimmed();
    return t.isEmpty() || t.startsWith(u'#')
        || t.startsWith(QLatin1String("data:"), Qt::CaseInsensitive);
}

void CheckDataPicture(QStringView uri)
{
    // data:[<type>][;base64],<data>
    const qsizetype comma = uri.indexOf(u',');
    if (comma < 0)
        return;
    const QStringView head = uri.left(comma);
    if (!head.contains(QLatin1String("image/"), Qt::CaseInsensitive))
        return;
    const QByteArray payload = uri.mid(comma + 1).toLatin1();
    const QByteArray bytes = head.endsWith(QLatin1String(";base64"), Qt::CaseInsensitive)
        ? QByteArray::fromBase64(payload)
        : QByteArray::fromPercentEncoding(payload);
    auto tooLarge = [](const QSize& size) {
        return size.isValid() && qint64(size.width()) * size.height() > kMaxEmbeddedPixels;
    };
    // Our own header readers first (they do not insist on checksums), then
    // whatever Qt's readers say of other formats.
    if (tooLarge(RasterReader::ClaimedSize(bytes, RasterReader::Format::Png))
        || tooLarge(RasterReader::ClaimedSize(bytes, RasterReader::Format::Gif)))
        Refuse();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (tooLarge(reader.size()))  // the header only
        Refuse();
}

// Every url(...) and @import in a piece of text.
void CheckStyleText(QStringView text)
{
    if (text.contains(QLatin1String("@import"), Qt::CaseInsensitive))
        Refuse();
    qsizetype from = 0;
    while (true) {
        const qsizetype at = text.indexOf(QLatin1String("url("), from, Qt::CaseInsensitive);
        if (at < 0)
            return;
        const qsizetype close = text.indexOf(u')', at + 4);
        QStringView target = text.mid(at + 4, close < 0 ? -1 : close - at - 4).trimmed();
        if (target.size() >= 2
            && (target.front() == u'"' || target.front() == u'\'')
            && target.back() == target.front())
            target = target.mid(1, target.size() - 2).trimmed();
        if (!LocalReference(target))
            Refuse();
        if (target.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
            CheckDataPicture(target);
        from = at + 4;
    }
}

struct Node {
    QString UseTarget;  // the id a <use> names
    std::vector<int> Children;
};

// Elements drawn when the document is drawn, <use> counted as the element
// it repeats; -1 when a <use> reaches itself.
qint64 DrawnElements(const std::vector<Node>& nodes, const QHash<QString, int>& ids)
{
    if (nodes.empty())
        return 0;
    std::vector<qint64> weight(nodes.size(), -1);
    std::vector<char> state(nodes.size(), 0);  // 0 new, 1 open, 2 done
    // Depth-first without recursion: (node, next child or use step).
    std::vector<std::pair<int, size_t>> stack{{0, 0}};
    state[0] = 1;
    while (!stack.empty()) {
        const int n = stack.back().first;
        const size_t step = stack.back().second;
        const Node& node = nodes[size_t(n)];
        // Steps: each child, then the element a <use> repeats, then done.
        if (step <= node.Children.size()) {
            int next = -1;
            if (step < node.Children.size())
                next = node.Children[step];
            else if (!node.UseTarget.isEmpty())
                next = ids.value(node.UseTarget, -1);
            ++stack.back().second;
            if (next < 0)
                continue;
            if (state[size_t(next)] == 1)
                return -1;  // a cycle
            if (state[size_t(next)] == 0) {
                state[size_t(next)] = 1;
                stack.push_back({next, 0});
            }
            continue;
        }
        qint64 w = 1;
        for (const int c : node.Children)
            w += weight[size_t(c)];
        if (!node.UseTarget.isEmpty()) {
            const int t = ids.value(node.UseTarget, -1);
            if (t >= 0)
                w += weight[size_t(t)];
        }
        weight[size_t(n)] = std::min(w, kMaxDrawnElements + 1);
        state[size_t(n)] = 2;
        stack.pop_back();
    }
    return weight[0];
}

QSize SizeOf(const QSvgRenderer& renderer)
{
    QSize size = renderer.defaultSize();
    if (size.width() <= 0 || size.height() <= 0) {
        const QSizeF box = renderer.viewBoxF().size();
        size = QSize(int(std::lround(box.width())), int(std::lround(box.height())));
    }
    if (size.width() <= 0 || size.height() <= 0)
        size = QSize(kFallbackSize, kFallbackSize);
    // Absurd sizes are brought down to something a page can hold.
    constexpr int kMax = 20000;
    if (size.width() > kMax || size.height() > kMax)
        size = size.scaled(kMax, kMax, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return size;
}

}  // namespace

void SvgImport::CheckSafe(const QByteArray& svg)
{
    if (svg.isEmpty() || svg.size() > kMaxFileSize)
        Refuse();
    QXmlStreamReader xml(svg);
    std::vector<Node> nodes;
    QHash<QString, int> ids;
    std::vector<int> open;
    bool sawRoot = false;
    bool inStyle = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD: {
            const auto entities = xml.entityDeclarations();
            if (entities.size() > 256)
                Refuse();
            qint64 text = 0;
            for (const QXmlStreamEntityDeclaration& e : entities) {
                if (!e.systemId().isEmpty() || !e.publicId().isEmpty()
                    || !e.notationName().isEmpty() || e.value().contains(u'&'))
                    Refuse();
                // Each use of the entity expands to its text.
                const QByteArray ref = '&' + e.name().toUtf8() + ';';
                text += qint64(svg.count(ref)) * (e.value().size() + 1);
                if (text > kMaxEntityText)
                    Refuse();
                CheckStyleText(e.value());
            }
            // Parameter entities and anything the reader did not list.
            const QStringView dtd = xml.text();
            if (dtd.count(QLatin1String("<!ENTITY")) != entities.size())
                Refuse();
            break;
        }
        case QXmlStreamReader::ProcessingInstruction:
            if (xml.processingInstructionTarget().compare(QLatin1String("xml-stylesheet"),
                                                          Qt::CaseInsensitive) == 0)
                Refuse();
            break;
        case QXmlStreamReader::StartElement: {
            if (open.size() >= size_t(kMaxDepth))
                Refuse();
            if (open.empty()) {
                if (sawRoot)
                    Refuse();
                sawRoot = true;
            }
            Node node;
            const int index = int(nodes.size());
            const bool isUse = xml.name() == QLatin1String("use");
            inStyle = xml.name() == QLatin1String("style");
            for (const QXmlStreamAttribute& a : xml.attributes()) {
                const QStringView value = a.value();
                if (a.name() == QLatin1String("href")) {
                    if (!LocalReference(value))
                        Refuse();
                    if (value.trimmed().startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
                        CheckDataPicture(value.trimmed());
                    else if (isUse && value.trimmed().startsWith(u'#'))
                        node.UseTarget = value.trimmed().mid(1).toString();
                } else if (a.name() == QLatin1String("id")) {
                    ids.insert(value.toString(), index);
                }
                if (value.contains(QLatin1String("url("), Qt::CaseInsensitive)
                    || value.contains(QLatin1String("@import"), Qt::CaseInsensitive))
                    CheckStyleText(value);
            }
            if (!open.empty())
                nodes[size_t(open.back())].Children.push_back(index);
            nodes.push_back(std::move(node));
            open.push_back(index);
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!open.empty())
                open.pop_back();
            inStyle = false;
            break;
        case QXmlStreamReader::Characters:
            if (inStyle || xml.text().contains(QLatin1String("@import"), Qt::CaseInsensitive))
                CheckStyleText(xml.text());
            break;
        default:
            break;
        }
    }
    if (xml.hasError() || !sawRoot)
        Refuse();
    const qint64 drawn = DrawnElements(nodes, ids);
    if (drawn < 0 || drawn > kMaxDrawnElements)
        Refuse();
}

bool SvgImport::IsSafe(const QByteArray& svg)
{
    try {
        CheckSafe(svg);
        return true;
    } catch (const ReadError&) {
        return false;
    }
}

QSize SvgImport::NaturalSize(const QByteArray& svg)
{
    CheckSafe(svg);
    QuietSvgWarnings();
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        Refuse();
    return SizeOf(renderer);
}

TMetafile SvgImport::ToMetafile(const QByteArray& svg)
{
    CheckSafe(svg);
    QuietSvgWarnings();
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        Refuse();
    const QSize size = SizeOf(renderer);
    EmfPaintDevice device(size);
    {
        QPainter p(&device);
        renderer.render(&p, QRectF(0, 0, size.width(), size.height()));
    }
    return TMetafile::FromBytes(device.Bytes());
}

QImage SvgImport::Rasterise(const QByteArray& svg, int maxSide)
{
    CheckSafe(svg);
    QuietSvgWarnings();
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        Refuse();
    QSize size = SizeOf(renderer);
    if (maxSide > 0 && (size.width() > maxSide || size.height() > maxSide))
        size = size.scaled(maxSide, maxSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    if (img.isNull())
        Refuse();
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&p, QRectF(0, 0, size.width(), size.height()));
    }
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage SvgImport::RasteriseToFit(const QByteArray& svg, const QSize& bound)
{
    return Rasterise(svg, std::max(bound.width(), bound.height()));
}

}  // namespace dayloom

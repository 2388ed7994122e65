#include "twprtfstorage.h"

#include <atomic>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextImageFormat>

#include "richtextformat.h"
#include "rtfreader.h"
#include "rtfwriter.h"

namespace dayloom {

namespace {

quint64 NextRevision()
{
    static std::atomic<quint64> counter{0};
    return ++counter;
}

bool HasFontSize(const QTextCharFormat& format)
{
    return format.fontPointSize() > 0 || format.intProperty(QTextFormat::FontPixelSize) > 0;
}

// Copies into `to` the image resources of `from` that `to` lacks, so a copy
// of an editor's document still paints and writes its pictures.
void CopyImageResources(const QTextDocument& from, QTextDocument& to)
{
    for (QTextBlock block = to.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl url(format.toImageFormat().name());
            if (to.resource(QTextDocument::ImageResource, url).isValid())
                continue;
            const QVariant image = from.resource(QTextDocument::ImageResource, url);
            if (image.isValid())
                to.addResource(QTextDocument::ImageResource, url, image);
        }
    }
}

std::unique_ptr<QTextDocument> NewDocument()
{
    auto doc = std::make_unique<QTextDocument>();
    PrepareRichDocument(*doc);
    return doc;
}

// What every store without a document of its own shows. It lives as long as
// the program and is never changed.
const QTextDocument& SharedEmptyDocument()
{
    static const QTextDocument* empty = NewDocument().release();
    return *empty;
}

}  // namespace

TWPRtfStorage::TWPRtfStorage() { Touch(); }

TWPRtfStorage::TWPRtfStorage(const TWPRtfStorage& other) : TWPRtfStorage() { Assign(other); }

TWPRtfStorage& TWPRtfStorage::operator=(const TWPRtfStorage& other)
{
    if (this != &other)
        Assign(other);
    return *this;
}

TWPRtfStorage::~TWPRtfStorage() = default;

void TWPRtfStorage::Touch() { FRevision = NextRevision(); }

QTextDocument& TWPRtfStorage::ownDocument()
{
    if (!FDocument)
        FDocument = NewDocument();
    return *FDocument;
}

bool TWPRtfStorage::IsEmpty() const { return !FDocument || FDocument->isEmpty(); }

void TWPRtfStorage::Assign(const TWPRtfStorage& other)
{
    if (this == &other)
        return;
    if (!other.FDocument) {
        Clear();
        return;
    }
    AssignDocument(*other.FDocument);
}

void TWPRtfStorage::AssignDocument(const QTextDocument& doc)
{
    if (&doc == FDocument.get())
        return;
    if (&doc == &SharedEmptyDocument()) {
        Clear();
        return;
    }
    std::unique_ptr<QTextDocument> copy(doc.clone());
    copy->setParent(nullptr);
    const QFont font = copy->defaultFont();  // unformatted runs keep their look
    PrepareRichDocument(*copy);
    copy->setDefaultFont(font);
    CopyImageResources(doc, *copy);
    FDocument = std::move(copy);
    Touch();
}

void TWPRtfStorage::Clear()
{
    FDocument.reset();
    Touch();
}

QByteArray TWPRtfStorage::RtfText() const { return RtfWriter::Write(Document()); }

void TWPRtfStorage::SetRtfText(const QByteArray& rtf)
{
    auto doc = NewDocument();
    try {
        RtfReader::Read(rtf, *doc);
    } catch (...) {
        // The reader keeps what it read; nothing it raises may escape.
    }
    FDocument = std::move(doc);
    Touch();
}

const QTextDocument& TWPRtfStorage::Document() const
{
    return FDocument ? *FDocument : SharedEmptyDocument();
}

quint64 TWPRtfStorage::Revision() const { return FRevision; }

void TWPRtfStorage::AppendParagraph(const QString& text, const QTextCharFormat& fallback)
{
    // Only characters go into the new paragraph: line breaks in the text
    // would otherwise open further paragraphs.
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QChar::ParagraphSeparator, QLatin1Char(' '));

    QTextCursor cursor(&ownDocument());
    if (IsEmpty()) {
        QTextCharFormat format = fallback;
        cursor.setBlockFormat(QTextBlockFormat());
        cursor.setBlockCharFormat(format);
        cursor.insertText(line, format);
        Touch();
        return;
    }

    // The paragraph holding the last character with a font size; the new
    // one goes directly after it, later paragraphs without such a character
    // stay behind the new one.
    QTextCharFormat format;
    QTextBlock anchor;
    for (QTextBlock block = FDocument->lastBlock(); block.isValid() && !anchor.isValid();
         block = block.previous()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (HasFontSize(f)) {
                format = f;
                anchor = block;
            }
        }
    }
    if (!anchor.isValid()) {
        format = fallback;
        anchor = FDocument->lastBlock();
    }
    if (format.isImageFormat()) {
        // A picture's format carries its font; the text takes only that.
        QTextCharFormat plain;
        plain.setFont(format.font(), QTextCharFormat::FontPropertiesSpecifiedOnly);
        if (format.hasProperty(QTextFormat::ForegroundBrush))
            plain.setForeground(format.foreground());
        if (format.hasProperty(FontCharsetProperty))
            plain.setProperty(FontCharsetProperty, format.property(FontCharsetProperty));
        format = plain;
    }
    cursor.setPosition(anchor.position() + anchor.length() - 1);
    cursor.insertBlock(QTextBlockFormat(), format);
    cursor.insertText(line, format);
    Touch();
}

}  // namespace dayloom

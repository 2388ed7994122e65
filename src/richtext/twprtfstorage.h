#pragma once

#include <memory>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTextCharFormat>
#include <QTextDocument>

namespace dayloom {

// One piece of rich text: a day cell's text or a rich-text label's. The text
// lives in a QTextDocument whose pictures are image resources of the document;
// streams carry it as an RTF document. An empty store holds no document of
// its own (a page has 43 stores, most of them empty): it shows one empty
// document shared by all, and makes its own when text goes in.
class TWPRtfStorage {
public:
    TWPRtfStorage();
    TWPRtfStorage(const TWPRtfStorage& other);
    TWPRtfStorage& operator=(const TWPRtfStorage& other);
    ~TWPRtfStorage();

    // No characters and no pictures.
    bool IsEmpty() const;
    // Copies another store's text (fonts, paragraph attributes, pictures).
    void Assign(const TWPRtfStorage& other);
    // Takes an editor's text; pictures the editor only knows by name are
    // looked up through the document's resources.
    void AssignDocument(const QTextDocument& doc);
    void Clear();

    // The text as a complete RTF document; the same text always gives the same
    // bytes.
    QByteArray RtfText() const;
    // Never throws: malformed RTF keeps what could be read before the fault.
    void SetRtfText(const QByteArray& rtf);

    // For rendering and editing; an editor works on a copy (Document().clone()).
    const QTextDocument& Document() const;
    // Changes whenever the text changes. Revisions are unique over all stores
    // of the program, so (store, revision) never names two different texts.
    quint64 Revision() const;

    // Appends one paragraph of plain text. Its format is that of the last
    // character that has a font size, or `fallback` when no character has
    // one (an empty store). An empty store gets the text as its only
    // paragraph.
    void AppendParagraph(const QString& text, const QTextCharFormat& fallback);

private:
    void Touch();
    // The store's own document, made when there is none.
    QTextDocument& ownDocument();

    std::unique_ptr<QTextDocument> FDocument;
    quint64 FRevision = 0;
};

}  // namespace dayloom

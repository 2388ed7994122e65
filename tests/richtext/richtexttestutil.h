#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QTextDocument>

namespace dayloom::test {

// One run of text as the reader and writer see it.
struct Run {
    QString text;
    QString family;
    qreal points = 0;
    bool bold = false, italic = false, underline = false, strike = false;
    QColor color;  // invalid: automatic
    bool picture = false;
};

struct Paragraph {
    Qt::Alignment align;
    QList<Run> runs;
};

// The paragraphs and runs of a document, neighbouring runs of equal format
// merged so that documents built differently compare equal.
QList<Paragraph> Describe(const QTextDocument& doc);
QString DescribeText(const QList<Paragraph>& paragraphs);

}  // namespace dayloom::test

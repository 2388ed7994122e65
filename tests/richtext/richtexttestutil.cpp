#include "richtexttestutil.h"

#include <QTextBlock>

#include "richtext/richtextformat.h"

namespace dayloom::test {

QList<Paragraph> Describe(const QTextDocument& doc)
{
    QList<Paragraph> out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        Paragraph p;
        p.align = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        if (p.align == Qt::Alignment() || p.align == Qt::AlignLeading)
            p.align = Qt::AlignLeft;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat cf = f.charFormat();
            Run r;
            r.text = f.text();
            r.family = FormatFamily(cf);
            r.points = cf.fontPointSize();
            r.bold = cf.fontWeight() > QFont::Medium;
            r.italic = cf.fontItalic();
            r.underline = cf.fontUnderline();
            r.strike = cf.fontStrikeOut();
            if (cf.hasProperty(QTextFormat::ForegroundBrush))
                r.color = cf.foreground().color();
            r.picture = cf.isImageFormat();
            if (!p.runs.isEmpty() && !r.picture && !p.runs.last().picture) {
                Run& last = p.runs.last();
                if (last.family == r.family && last.points == r.points && last.bold == r.bold
                    && last.italic == r.italic && last.underline == r.underline
                    && last.strike == r.strike && last.color == r.color) {
                    last.text += r.text;
                    continue;
                }
            }
            p.runs.append(r);
        }
        out.append(p);
    }
    return out;
}

QString DescribeText(const QList<Paragraph>& paragraphs)
{
    QString s;
    for (const Paragraph& p : paragraphs) {
        s += QStringLiteral("[align %1]").arg(int(p.align));
        for (const Run& r : p.runs) {
            s += QStringLiteral("<%1 %2%3%4%5%6 %7%8>%9")
                     .arg(r.family)
                     .arg(r.points)
                     .arg(r.bold ? "b" : "")
                     .arg(r.italic ? "i" : "")
                     .arg(r.underline ? "u" : "")
                     .arg(r.strike ? "s" : "")
                     .arg(r.color.isValid() ? r.color.name() : QStringLiteral("auto"))
                     .arg(r.picture ? " pict" : "")
                     .arg(r.text);
        }
        s += QLatin1Char('\n');
    }
    return s;
}

}  // namespace dayloom::test

#include "paint/textstamp.h"

#include <cmath>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

namespace dayloom {

namespace {

// Laid-out texts per font; the page uses a handful of fonts, each with a few
// dozen texts. Bounded so that edited titles cannot pile up.
constexpr int kMaxFonts = 64;
constexpr int kMaxTextsPerFont = 512;

}  // namespace

TextStamp::TextStamp(const QFont& font) : m_font(font)
{
    // Emptied when the application goes, while fonts still exist.
    static QHash<QString, QHash<QString, Entry>>& cache = *[] {
        auto* c = new QHash<QString, QHash<QString, Entry>>;
        return c;
    }();
    static QHash<QString, int> heights;
    static const bool registered = [] {
        qAddPostRoutine([] {
            cache.clear();
            heights.clear();
        });
        return true;
    }();
    Q_UNUSED(registered);
    const QString key = font.key();
    if (!cache.contains(key) && cache.size() >= kMaxFonts) {
        cache.clear();
        heights.clear();
    }
    m_entries = &cache[key];
    if (m_entries->size() > kMaxTextsPerFont)
        m_entries->clear();
    auto h = heights.find(key);
    if (h == heights.end()) {
        const QFontMetrics fm(font);
        h = heights.insert(key, fm.ascent() + fm.descent());
    }
    m_height = *h;
}

TextStamp::Entry& TextStamp::entry(const QString& text)
{
    auto it = m_entries->find(text);
    if (it != m_entries->end())
        return *it;
    Entry e;
    e.text = QStaticText(text);
    e.text.setTextFormat(Qt::PlainText);  // no markup, ampersands as they are
    e.text.setPerformanceHint(QStaticText::AggressiveCaching);
    e.text.prepare(QTransform(), m_font);
    e.width = int(std::ceil(e.text.size().width()));
    return *m_entries->insert(text, e);
}

int TextStamp::Width(const QString& text) { return entry(text).width; }

void TextStamp::Draw(QPainter& painter, const TRect& r, int flags, const QString& rawText)
{
    if (rawText.isEmpty() || r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    // one line: line breaks in a user's title do not start new lines
    QString text = rawText;
    for (QChar& c : text)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    const Entry& e = entry(text);
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    int x = r.Left;
    if (flags & Qt::AlignRight)
        x = r.Right - e.width;
    else if (flags & Qt::AlignHCenter)
        x = r.Left + (w - e.width) / 2;
    int y = r.Top;
    if (flags & Qt::AlignBottom)
        y = r.Bottom - m_height;
    else if (flags & Qt::AlignVCenter)
        y = r.Top + (h - m_height) / 2;
    painter.setFont(m_font);
    const bool clip = e.width > w || m_height > h;
    if (clip) {
        painter.save();
        painter.setClipRect(QRect(r.Left, r.Top, w, h), Qt::IntersectClip);
    }
    painter.drawStaticText(QPoint(x, y), e.text);
    if (clip)
        painter.restore();
}

}  // namespace dayloom

#include "stream/inifile.h"

#include <QStringDecoder>

#include "core/cp1252.h"
#include "core/fileaccess.h"

namespace dayloom {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

QByteArray trimmedBlanks(const QByteArray& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

// Files written by this program are UTF-8; a file carried over from the
// older platform holds Windows-1252 text, which is taken when the bytes are
// not valid UTF-8.
QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8(bytes);
    if (utf8.hasError())
        return fromCp1252(bytes);
    return s;
}

bool sameName(const QByteArray& stored, const QString& wanted)
{
    return decode(stored).compare(wanted, Qt::CaseInsensitive) == 0;
}

bool storableName(const QString& name, bool isKey)
{
    if (name.trimmed().isEmpty())
        return false;
    for (QChar c : name) {
        if (c == u'\r' || c == u'\n' || c == u'\0')
            return false;
        if (isKey ? c == u'=' : c == u']')
            return false;
    }
    if (isKey && (name.trimmed().startsWith(u'[') || name.trimmed().startsWith(u';')))
        return false;
    return true;
}

QByteArray storableValue(const QString& value)
{
    QString v = value;
    for (QChar& c : v) {
        if (c == u'\r' || c == u'\n' || c == u'\0')
            c = u' ';
    }
    return v.toUtf8();
}

}  // namespace

IniFile::IniFile(const QString& fileName) : m_fileName(fileName)
{
}

bool IniFile::sectionOf(const QByteArray& line, QByteArray* name)
{
    QByteArray t = trimmedBlanks(line);
    if (!t.startsWith('['))
        return false;
    qsizetype close = t.indexOf(']');
    *name = trimmedBlanks(close < 0 ? t.mid(1) : t.mid(1, close - 1));
    return true;
}

bool IniFile::keyOf(const QByteArray& line, QByteArray* key, QByteArray* value)
{
    qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return false;
    QByteArray k = trimmedBlanks(line.left(eq));
    if (k.startsWith(';') || k.startsWith('['))
        return false;
    *key = k;
    if (value)
        *value = line.mid(eq + 1);
    return true;
}

void IniFile::SetData(const QByteArray& bytes)
{
    m_lines.clear();
    m_crlf = false;
    qsizetype start = 0;
    bool first = true;
    while (start < bytes.size()) {
        qsizetype nl = bytes.indexOf('\n', start);
        qsizetype end = nl < 0 ? bytes.size() : nl;
        qsizetype lineEnd = end;
        // Every CR before the line end goes: a line never ends in CR, so a
        // rewritten file reads back with the same lines whatever its ends.
        if (lineEnd > start && bytes[lineEnd - 1] == '\r' && first && nl >= 0)
            m_crlf = true;
        while (lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        first = false;
        m_lines.push_back(bytes.mid(start, lineEnd - start));
        if (nl < 0)
            break;
        start = nl + 1;
    }
}

QByteArray IniFile::Data() const
{
    refresh();
    return serialize();
}

QByteArray IniFile::serialize() const
{
    const QByteArray eol = m_crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    qsizetype total = 0;
    for (const QByteArray& l : m_lines)
        total += l.size() + eol.size();
    QByteArray out;
    out.reserve(total);
    for (const QByteArray& l : m_lines) {
        out += l;
        out += eol;
    }
    return out;
}

void IniFile::refresh() const
{
    if (m_fileName.isEmpty() || m_updating > 0)
        return;
    // Read afresh every time: another window or process may have written it,
    // and a time stamp is too coarse to tell.
    // A file that cannot be read (or is no regular file) reads as empty.
    QByteArray bytes;
    ReadInputFile(m_fileName, InputKind::Ini, &bytes);
    const_cast<IniFile*>(this)->SetData(bytes);
}

void IniFile::BeginUpdate()
{
    if (m_updating++ == 0) {
        m_updating = 0;
        refresh();  // the state the collected writes apply to
        m_updating = 1;
        m_dirty = false;
    }
}

bool IniFile::EndUpdate()
{
    if (m_updating == 0 || --m_updating > 0)
        return true;
    if (!m_dirty)
        return true;
    m_dirty = false;
    return store();
}

bool IniFile::store()
{
    if (m_fileName.isEmpty())
        return true;
    if (m_updating > 0) {
        m_dirty = true;
        return true;
    }
    return SaveFileContents(m_fileName, serialize());
}

std::vector<IniFile::Section> IniFile::findSections(const QString& name) const
{
    std::vector<Section> found;
    const int n = int(m_lines.size());
    int current = -2;  // index into found of the open matching section, or -2
    QByteArray sec;
    for (int i = 0; i < n; ++i) {
        if (!sectionOf(m_lines[size_t(i)], &sec))
            continue;
        if (current >= 0) {
            found[size_t(current)].end = i;
            current = -2;
        }
        if (sameName(sec, name)) {
            found.push_back(Section{i, n});
            current = int(found.size()) - 1;
        }
    }
    return found;
}

int IniFile::findKey(const Section& s, const QString& key) const
{
    QByteArray k;
    for (int i = s.header + 1; i < s.end; ++i) {
        if (keyOf(m_lines[size_t(i)], &k, nullptr) && sameName(k, key))
            return i;
    }
    return -1;
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    refresh();
    const auto sections = findSections(section);
    if (sections.empty())
        return defaultValue;
    const int line = findKey(sections.front(), key);
    if (line < 0)
        return defaultValue;
    QByteArray k, v;
    keyOf(m_lines[size_t(line)], &k, &v);
    return decode(v);
}

int IniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    const QString text = ReadString(section, key, QString()).trimmed();
    if (text.isEmpty())
        return defaultValue;
    bool ok = false;
    int value = 0;
    if (text.startsWith(u'$'))
        value = text.mid(1).toInt(&ok, 16);
    else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toInt(&ok, 16);
    else
        value = text.toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QStringList IniFile::ReadSection(const QString& section) const
{
    refresh();
    QStringList out;
    const auto sections = findSections(section);
    if (sections.empty())
        return out;
    const Section& s = sections.front();
    QByteArray k;
    for (int i = s.header + 1; i < s.end; ++i) {
        const QByteArray& line = m_lines[size_t(i)];
        if (keyOf(line, &k, nullptr))
            out << decode(line);
    }
    return out;
}

bool IniFile::SectionExists(const QString& section) const
{
    refresh();
    return !findSections(section).empty();
}

bool IniFile::ValueExists(const QString& section, const QString& key) const
{
    refresh();
    const auto sections = findSections(section);
    return !sections.empty() && findKey(sections.front(), key) >= 0;
}

bool IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    if (!storableName(section, false) || !storableName(key, true))
        return false;
    refresh();
    const QByteArray newLine = key.trimmed().toUtf8() + '=' + storableValue(value);
    const auto sections = findSections(section);
    if (sections.empty()) {
        if (!m_lines.empty() && !trimmedBlanks(m_lines.back()).isEmpty())
            m_lines.push_back(QByteArray());
        m_lines.push_back('[' + section.trimmed().toUtf8() + ']');
        m_lines.push_back(newLine);
        return store();
    }
    const Section& s = sections.front();
    const int line = findKey(s, key);
    if (line >= 0) {
        QByteArray k, v;
        keyOf(m_lines[size_t(line)], &k, &v);
        if (v == storableValue(value))
            return true;
        m_lines[size_t(line)] = k + '=' + storableValue(value);
        return store();
    }
    // A new key goes after the section's last non-blank line.
    int at = s.end;
    while (at > s.header + 1 && trimmedBlanks(m_lines[size_t(at - 1)]).isEmpty())
        --at;
    m_lines.insert(m_lines.begin() + at, newLine);
    return store();
}

bool IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::EraseSection(const QString& section)
{
    refresh();
    const auto sections = findSections(section);
    if (sections.empty())
        return true;
    // From the last to the first so that earlier indexes stay valid.
    for (auto it = sections.rbegin(); it != sections.rend(); ++it)
        m_lines.erase(m_lines.begin() + it->header, m_lines.begin() + it->end);
    return store();
}

bool IniFile::DeleteKey(const QString& section, const QString& key)
{
    refresh();
    const auto sections = findSections(section);
    if (sections.empty())
        return true;
    const int line = findKey(sections.front(), key);
    if (line < 0)
        return true;
    m_lines.erase(m_lines.begin() + line);
    return store();
}

}  // namespace dayloom

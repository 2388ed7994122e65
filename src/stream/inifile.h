#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace dayloom {

// A private-profile ("ini") file: "[Section]" lines followed by "key=value"
// lines. Section and key names compare ignoring letter case; a value is the
// plain text after the first "=" (no quoting, no escapes). When a section or a
// key occurs twice, the first one wins. Lines the reader does not understand
// are kept as they are, byte for byte, when the file is written back.
//
// With a file name, every read looks at the file's current contents and every
// write rewrites the file atomically (temporary file, then rename); the file
// is created by the first write. Without one the object works in memory only.
class IniFile {
public:
    explicit IniFile(const QString& fileName = QString());

    QString FileName() const { return m_fileName; }

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // Decimal (or 0x / $ hexadecimal) text, blanks around it ignored; the
    // default when the key is missing or its value is not a number.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // True when the stored integer is not 0.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    // The section's "key=value" lines in file order (comment lines and lines
    // without "=" left out).
    QStringList ReadSection(const QString& section) const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    // Writes return false when the file could not be written or a name is not
    // storable (empty, or holding "]", "=" or a line break). Line breaks in a
    // value are stored as blanks so that a value never becomes more lines.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value);
    // Removes every section of that name with all its lines.
    bool EraseSection(const QString& section);
    bool DeleteKey(const QString& section, const QString& key);

    // Between BeginUpdate and EndUpdate writes collect in memory (and reads
    // see them); EndUpdate writes the file once and returns whether that
    // worked (true when nothing was written).
    void BeginUpdate();
    bool EndUpdate();

    // The contents as bytes (what a write would store), and replacing them
    // (for an object without a file name; a file-backed object reads its
    // file again on every call).
    QByteArray Data() const;
    void SetData(const QByteArray& bytes);

private:
    struct Section {
        int header = -1;  // line index of "[...]", -1 for lines before any section
        int end = 0;      // one past the section's last line
    };

    void refresh() const;
    bool store();
    QByteArray serialize() const;
    std::vector<Section> findSections(const QString& name) const;
    int findKey(const Section& s, const QString& key) const;
    static bool keyOf(const QByteArray& line, QByteArray* key, QByteArray* value);
    static bool sectionOf(const QByteArray& line, QByteArray* name);

    QString m_fileName;
    mutable std::vector<QByteArray> m_lines;
    mutable bool m_crlf = false;
    int m_updating = 0;
    bool m_dirty = false;
};

}  // namespace dayloom

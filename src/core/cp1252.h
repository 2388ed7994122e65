#pragma once

#include <QByteArray>
#include <QString>

namespace dayloom {

// Windows-1252, the code page of every 8-bit string in documents, style sheets
// and the recurring-date list. 0x80..0x9F differ from Latin-1; the five bytes
// that code page leaves undefined map to the C1 control of the same value.
QString fromCp1252(const QByteArray& bytes);
QString fromCp1252(const char* data, qsizetype size);
// A character Windows-1252 cannot hold becomes '?'.
QByteArray toCp1252(const QString& text);
// The byte for one character, or -1 when Windows-1252 has none.
int cp1252Byte(char16_t ch);
char16_t cp1252Char(unsigned char byte);

}  // namespace dayloom

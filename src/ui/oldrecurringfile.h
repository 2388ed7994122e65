#pragma once

#include <QString>

namespace dayloom {

// The recurring-date list of older versions, "DLRECUR.DAT", held the date
// key in a line's first 4 characters and the text from character 5 on. The
// current list "DLRECUR.DAX" holds 120 characters of text, "@", and the key
// padded to 10 characters.
QString ConvertOldRecurringLine(const QString& line);
// Converts dir + "DLRECUR.DAT" (letter case ignored) into dir + "DLRECUR.DAX"
// and deletes the old file. The old file is kept when the new one cannot be
// written. Returns true when a conversion took place.
bool MigrateOldRecurringFile(const QString& dir);

}  // namespace dayloom

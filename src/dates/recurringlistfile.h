#pragma once

#include <stdexcept>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace dayloom {

// The recurring-date list lives beside the program as DLRECUR.DAX: plain
// Windows-1252 text, one entry per line, CR LF line ends (LF alone is read
// too). Every line is kept as it is, whatever it holds.

// Raised when the list cannot be written; the previous file is untouched.
class RecurringFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The list file in programDir (which ends in "/"), matched ignoring case.
QString RecurringListPath(const QString& programDir);
// Whether anything is there by that name: a folder or a pipe of the list's
// name counts, and reading it then fails.
bool RecurringListExists(const QString& programDir);

// Bytes of a list file to lines and back.
QStringList ParseRecurringLines(const QByteArray& bytes);
QByteArray FormatRecurringLines(const QStringList& lines);

// A missing file is an empty list. An existing file that cannot be read
// raises ReadError.
QStringList LoadRecurringList(const QString& programDir);
// Writes the whole list atomically (a temporary file in the same folder is
// renamed over the old one). Raises RecurringFileError on failure.
void SaveRecurringList(const QStringList& lines, const QString& programDir);

// The conversion of an old DLRECUR.DAT ("MMDD" + event text per line) into
// DLRECUR.DAX, replacing that file. DLRECUR.DAT is deleted only after the new
// list was written completely; when writing fails it stays for the next
// start. Returns true when a list was converted.
bool MigrateOldRecurringDates(const QString& programDir);

}  // namespace dayloom

#pragma once

#include <functional>

#include <QDateTime>
#include <QDialog>

#include "print/configurationreport.h"
#include "ui/filechooser.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace dayloom {

// Help > "Configuration Information": the configuration report in a
// read-only text box, with "Copy to Clipboard", "Save As..." and "Close".
// The status line names each step while the facts are gathered.
class TConfigurationInfo : public QDialog {
    Q_OBJECT
public:
    explicit TConfigurationInfo(const ConfigurationSettings& settings, QWidget* parent = nullptr);

    // Shows the window, gathers the report while the status line tells what
    // is being looked at, centres the window and runs it modally.
    int Run();
    // Gathers the facts and fills the report.
    void BuildReport();

    void CopyToClipboardClick();
    void SaveAsClick();

    QPlainTextEdit* Memo() const { return m_memo; }
    QString StatusText() const;
    QStringList ReportLines() const { return m_lines; }

    // Test seams: where the facts come from, the time of the report, and the
    // save dialog.
    using Gatherer = std::function<ConfigurationFacts(const StatusCallback& status)>;
    void SetGatherer(Gatherer gatherer) { m_gatherer = std::move(gatherer); }
    void SetNow(const QDateTime& now) { m_now = now; }
    void SetSaveFileChooser(FileChooser chooser) { m_saveChooser = std::move(chooser); }

private:
    void setStatus(const QString& text);

    ConfigurationSettings m_settings;
    Gatherer m_gatherer;
    QDateTime m_now;
    FileChooser m_saveChooser;
    QStringList m_lines;

    QLabel* m_status = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    // The hidden copy that "Copy to Clipboard" and "Save As..." work from.
    QPlainTextEdit* m_memo2 = nullptr;
};

}  // namespace dayloom

#include "ui/tconfigurationinfo.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/fileaccess.h"
#include "core/screen.h"
#include "stream/preferences.h"
#include "ui/printerreport.h"
#include "ui/uiutil.h"

namespace dayloom {

namespace {
const QString kCaption = QStringLiteral("Configuration Information");
}

TConfigurationInfo::TConfigurationInfo(const ConfigurationSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_gatherer([](const StatusCallback& status) { return ConfigurationReport::Gather(&InstalledPrinters, status); })
{
    setObjectName(QStringLiteral("ConfigurationInfo"));
    setWindowTitle(kCaption);
    setModal(true);
    resize(720, 540);

    auto* column = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("This report describes Dayloom, your system, your printers and your "
                       "preferences. When you ask for help with a problem, copy it to the "
                       "clipboard or save it as a text file and send it along."),
        this);
    intro->setWordWrap(true);
    column->addWidget(intro);

    // Labels are padded to 13 characters and followed by a tab: a fixed-pitch
    // font with a tab stop one character further lines the values up.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setFont(fixed);
    m_memo->setTabStopDistance(QFontMetricsF(fixed).horizontalAdvance(QLatin1Char('x')) * 14);
    column->addWidget(m_memo, 1);
    m_memo2 = new QPlainTextEdit(this);
    m_memo2->setObjectName(QStringLiteral("Memo2"));
    m_memo2->hide();

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusLabel"));
    column->addWidget(m_status);

    auto* bar = new QHBoxLayout;
    auto* copy = new QPushButton(QStringLiteral("Copy to Clipboard"), this);
    copy->setObjectName(QStringLiteral("CopyButton"));
    auto* save = new QPushButton(QStringLiteral("Save As..."), this);
    save->setObjectName(QStringLiteral("SaveAsButton"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setDefault(true);
    bar->addWidget(copy);
    bar->addWidget(save);
    bar->addStretch();
    bar->addWidget(close);
    column->addLayout(bar);
    connect(copy, &QPushButton::clicked, this, [this] { CopyToClipboardClick(); });
    connect(save, &QPushButton::clicked, this, [this] { SaveAsClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

QString TConfigurationInfo::StatusText() const { return m_status->text(); }

void TConfigurationInfo::setStatus(const QString& text)
{
    m_status->setText(text);
    if (isVisible())
        m_status->repaint();
}

void TConfigurationInfo::BuildReport()
{
    ShowWaitCursor();
    const ConfigurationFacts facts =
        m_gatherer([this](const QString& status) { setStatus(status); });
    const QDateTime now = m_now.isValid() ? m_now : QDateTime::currentDateTime();
    m_lines = ConfigurationReport::Lines(facts, m_settings, now, QLocale::system());
    m_memo->setPlainText(m_lines.join(QLatin1Char('\n')));
    setStatus(QString());
    RestoreCursor();
}

int TConfigurationInfo::Run()
{
    show();
    ProcessMessages();
    BuildReport();
    CenterForm(this);
    return exec();
}

void TConfigurationInfo::CopyToClipboardClick()
{
    m_memo2->setPlainText(ConfigurationReport::Text(m_lines));
    m_memo2->selectAll();
    m_memo2->copy();
    ShowMessage(QMessageBox::Information, kCaption,
                QStringLiteral("Information copied to the clipboard"));
}

void TConfigurationInfo::SaveAsClick()
{
    FileDialogSpec desc;
    desc.title = QStringLiteral("Save Configuration Information");
    desc.filter = QStringLiteral("Text files (*.TXT *.txt)");
    desc.defaultSuffix = QStringLiteral("TXT");
    // Where the picture exports go (the program's own folder is hidden in
    // the user's home): the folder last used, else the documents folder.
    desc.directory = StartFolder(FolderKind::Exports, QString());
    desc.proposedName = QStringLiteral("Configuration.TXT");
    const QString path = m_saveChooser ? m_saveChooser(desc) : RunSaveFileDialog(desc, this);
    if (path.isEmpty())
        return;
    m_memo2->setPlainText(ConfigurationReport::Text(m_lines));
    const QByteArray bytes = m_memo2->toPlainText().toUtf8();
    const bool saved = SaveFileContents(path, bytes);
    if (saved) {
        WriteLastFolder(FolderKind::Exports, QFileInfo(path).absolutePath());
        ShowMessage(QMessageBox::Information, kCaption,
                    QStringLiteral("Information was saved as: ") + path);
    } else {
        ShowMessage(QMessageBox::Critical, kCaption, QStringLiteral("Unable to save ") + path);
    }
}

}  // namespace dayloom

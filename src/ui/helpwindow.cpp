#include "ui/helpwindow.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/screen.h"
#include "ui/uiutil.h"

namespace dayloom {

HelpWindow* HelpWindow::Instance()
{
    static QPointer<HelpWindow> instance;
    if (!instance)
        instance = new HelpWindow(MainForm());
    return instance;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Dayloom Help"));
    resize(560, 480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);
    layout->addWidget(m_browser);
}

QString HelpWindow::TopicFile(int context)
{
    if (context <= 0)
        return FindDataFile(QStringLiteral("help/index.html"));
    return FindDataFile(QStringLiteral("help/topic%1.html").arg(context));
}

void HelpWindow::showPage(const QString& file, const QString& fallbackTitle)
{
    if (!file.isEmpty()) {
        m_browser->setSearchPaths({QFileInfo(file).absolutePath()});
        m_browser->setSource(QUrl::fromLocalFile(file));
    } else {
        m_browser->clear();
    }
    if (!fallbackTitle.isEmpty()) {
        QString html = QStringLiteral("<h2>%1</h2>").arg(fallbackTitle.toHtmlEscaped());
        if (!file.isEmpty()) {
            QFile f(file);
            if (f.open(QIODevice::ReadOnly))
                html += QString::fromUtf8(f.readAll());
        }
        m_browser->setHtml(html);
    }
    CenterForm(this);
    show();
    raise();
    activateWindow();
}

void HelpWindow::ShowContents()
{
    m_lastContext = 0;
    showPage(TopicFile(0), TopicFile(0).isEmpty() ? QStringLiteral("Dayloom Help") : QString());
}

void HelpWindow::ShowTopic(int context)
{
    m_lastContext = context;
    const QString page = TopicFile(context);
    if (!page.isEmpty())
        showPage(page, QString());
    else
        showPage(TopicFile(0), QStringLiteral("Help topic %1").arg(context));
}

QString HelpWindow::ShownText() const { return m_browser->toPlainText(); }

}  // namespace dayloom

#include "ui/helpwindow.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/fileaccess.h"
#include "core/screen.h"
#include "ui/uiutil.h"

namespace dayloom {

namespace {

// The guide's look: the pages themselves carry no styling.
const char* const kStyleSheet =
    "h1 { color: #1f6f8b; font-size: x-large; }"
    "h2 { color: #1f6f8b; font-size: large; margin-top: 14px; }"
    "h3 { color: #333333; margin-top: 12px; }"
    "th { background-color: #e4e9ee; text-align: left; }"
    "p.nav { font-size: small; }"
    "p.see { margin-top: 16px; color: #555555; }"
    "tt, pre { color: #5a3d00; }";

}  // namespace

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
    resize(640, 560);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 4, 4, 4);
    auto button = [this, bar](const char* name, const QString& text) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        bar->addWidget(b);
        return b;
    };
    QToolButton* contents = button("ContentsButton", QStringLiteral("&Contents"));
    m_back = button("BackButton", QStringLiteral("&Back"));
    m_forward = button("ForwardButton", QStringLiteral("&Forward"));
    bar->addStretch();
    layout->addLayout(bar);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->document()->setDefaultStyleSheet(QString::fromLatin1(kStyleSheet));
    layout->addWidget(m_browser);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(contents, &QToolButton::clicked, this, [this] { ShowContents(); });
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] { followTitle(); });
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);
}

QString HelpWindow::TopicFile(int context)
{
    if (context <= 0)
        return FindDataFile(QStringLiteral("help/index.html"));
    return FindDataFile(QStringLiteral("help/topic%1.html").arg(context));
}

void HelpWindow::followTitle()
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() || title == QLatin1String("Dayloom Help")
                       ? QStringLiteral("Dayloom Help")
                       : QStringLiteral("Dayloom Help - ") + title);
}

void HelpWindow::showPage(const QString& file, const QString& fallbackTitle)
{
    if (fallbackTitle.isEmpty() && !file.isEmpty()) {
        m_browser->setSource(QUrl::fromLocalFile(file));
    } else {
        QString html = QStringLiteral("<h2>%1</h2>").arg(fallbackTitle.toHtmlEscaped());
        if (!file.isEmpty()) {
            QByteArray bytes;
            if (ReadInputFile(file, InputKind::HelpPage, &bytes) == InputFault::None)
                html += QString::fromUtf8(bytes);
        }
        m_browser->setHtml(html);
        followTitle();
    }
    if (!isVisible())
        CenterForm(this);
    show();
    raise();
    activateWindow();
}

void HelpWindow::ShowContents()
{
    m_lastContext = 0;
    const QString contents = TopicFile(0);
    showPage(contents, contents.isEmpty() ? QStringLiteral("Dayloom Help") : QString());
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

void HelpWindow::FollowLink(const QUrl& link)
{
    const QString scheme = link.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto")) {
        QDesktopServices::openUrl(link);
        return;
    }
    const QString name = QFileInfo(link.path()).fileName();
    if (name.isEmpty()) {
        if (link.hasFragment())
            m_browser->scrollToAnchor(link.fragment());
        return;
    }
    const QString file = FindDataFile(QStringLiteral("help/") + name);
    if (file.isEmpty())
        return;
    QUrl target = QUrl::fromLocalFile(file);
    if (link.hasFragment())
        target.setFragment(link.fragment());
    m_browser->setSource(target);
}

QString HelpWindow::ShownText() const { return m_browser->toPlainText(); }

QString HelpWindow::ShownFile() const { return m_browser->source().toLocalFile(); }

}  // namespace dayloom

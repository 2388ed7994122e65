// The user guide: every help context the program opens has a real page of
// its own, every link leads to a page, the contents reach every page, and
// the help window shows, follows and goes back through them.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>

#include "common/testutil.h"
#include "core/screen.h"
#include "ui/helpwindow.h"
#include "ui/uiutil.h"

using namespace dayloom;
using dayloom::test::SourcePath;

namespace {

// The context numbers the windows and dialogs open: the Help menu's two,
// the properties dialog's tabs (2100 + tab, 3109 for Borders) and the
// object dialogs'.
QList<int> programContexts()
{
    QList<int> contexts{1015, 911, 3109, 40003, 40004, 40008, 40012, 40013, 40014, 40015};
    for (int tab = 0; tab <= 8; ++tab)
        contexts << 2100 + tab;
    return contexts;
}

QString helpDir() { return SourcePath(QStringLiteral("data/help")); }

QString readText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList helpPages()
{
    return QDir(helpDir()).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QStringList links(const QString& html)
{
    QStringList out;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (auto it = href.globalMatch(html); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

QString plainText(const QString& html)
{
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText();
}

}  // namespace

TEST(HelpPages, EveryContextTheProgramOpensHasARealPageOfItsOwn)
{
    for (int context : programContexts()) {
        const QString file = HelpWindow::TopicFile(context);
        ASSERT_FALSE(file.isEmpty()) << "no page for help context " << context;
        EXPECT_TRUE(file.endsWith(QStringLiteral("/topic%1.html").arg(context)));
        const QString html = readText(file);
        QTextDocument doc;
        doc.setHtml(html);
        EXPECT_FALSE(doc.metaInformation(QTextDocument::DocumentTitle).isEmpty()) << context;
        // A page that explains a window: headings, controls, a how-to.
        EXPECT_GT(doc.toPlainText().size(), 900) << "help context " << context << " is thin";
        EXPECT_GE(html.count(QStringLiteral("<h2>")) + html.count(QStringLiteral("<h3>")), 2)
            << context;
    }
}

TEST(HelpPages, EveryHelpContextNamedInTheSourcesHasAPage)
{
    // Literal context numbers handed to the help: ShowHelpTopic(n), the
    // button row's HelpOkCancelBar(dialog, n) and named help-context constants.
    static const QRegularExpression uses(QStringLiteral(
        "(?:ShowHelpTopic\\(|HelpOkCancelBar\\([^,()]+,\\s*|[Hh]elp[A-Za-z]*\\s*=\\s*)(\\d{3,})"));
    QSet<int> found;
    QDirIterator it(SourcePath(QStringLiteral("src")), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString text = readText(it.next());
        for (auto m = uses.globalMatch(text); m.hasNext();)
            found.insert(m.next().captured(1).toInt());
    }
    // The sources must name at least the Help menu's and the object dialogs' numbers.
    for (int context : {1015, 911, 40003, 40004, 40008, 40013, 40015})
        EXPECT_TRUE(found.contains(context)) << context << " is no longer found in the sources";
    for (int context : found)
        EXPECT_FALSE(HelpWindow::TopicFile(context).isEmpty())
            << "help context " << context << " is opened by the program but has no page";
}

TEST(HelpPages, NoPageIsAPlaceholderAndEveryLinkLeadsToAPage)
{
    const QStringList pages = helpPages();
    ASSERT_GT(pages.size(), 30);
    static const QRegularExpression placeholder(
        QStringLiteral("\\b(TODO|TBD|placeholder|lorem ipsum|to be written|coming soon)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString& page : pages) {
        const QString html = readText(helpDir() + QLatin1Char('/') + page);
        EXPECT_FALSE(placeholder.match(html).hasMatch()) << page.toStdString();
        EXPECT_GT(plainText(html).size(), 600) << page.toStdString() << " is thin";
        for (const QString& link : links(html)) {
            EXPECT_FALSE(link.contains(QLatin1String("..")) || link.contains(u':'))
                << page.toStdString() << " links outside the guide: " << link.toStdString();
            const QString file = link.section(u'#', 0, 0);
            const QString anchor = link.section(u'#', 1);
            const QString target = file.isEmpty() ? page : file;
            EXPECT_TRUE(pages.contains(target))
                << page.toStdString() << " links to missing " << link.toStdString();
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(readText(helpDir() + QLatin1Char('/') + target)
                                .contains(QStringLiteral("name=\"%1\"").arg(anchor)))
                    << page.toStdString() << " links to missing anchor " << link.toStdString();
            }
        }
        if (page != QLatin1String("index.html")) {
            EXPECT_TRUE(links(html).contains(QStringLiteral("index.html")))
                << page.toStdString() << " has no way back to the contents";
        }
    }
}

TEST(HelpPages, TheContentsLinkEveryPage)
{
    const QStringList fromContents = links(readText(helpDir() + QStringLiteral("/index.html")));
    for (const QString& page : helpPages()) {
        if (page != QLatin1String("index.html")) {
            EXPECT_TRUE(fromContents.contains(page))
                << page.toStdString() << " cannot be reached from the contents";
        }
    }
}

TEST(HelpWindowTest, ShowsFollowsAndGoesBackThroughThePages)
{
    HelpWindow* h = HelpWindow::Instance();
    h->ShowTopic(2103);
    EXPECT_EQ(h->LastContext(), 2103);
    EXPECT_TRUE(h->ShownFile().endsWith(QStringLiteral("/topic2103.html")));
    EXPECT_EQ(h->windowTitle(), QStringLiteral("Dayloom Help - Calendar Properties: Mini Fonts & Colors"));
    auto* back = h->findChild<QToolButton*>(QStringLiteral("BackButton"));
    auto* forward = h->findChild<QToolButton*>(QStringLiteral("ForwardButton"));
    auto* contents = h->findChild<QToolButton*>(QStringLiteral("ContentsButton"));
    ASSERT_TRUE(back && forward && contents);

    h->FollowLink(QUrl(QStringLiteral("topic2105.html")));
    EXPECT_TRUE(h->ShownFile().endsWith(QStringLiteral("/topic2105.html")));
    EXPECT_TRUE(back->isEnabled());
    back->click();
    EXPECT_TRUE(h->ShownFile().endsWith(QStringLiteral("/topic2103.html")));
    EXPECT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_TRUE(h->ShownFile().endsWith(QStringLiteral("/topic2105.html")));

    contents->click();
    EXPECT_EQ(h->LastContext(), 0);
    EXPECT_TRUE(h->ShownText().startsWith(QStringLiteral("Dayloom Help")));
    EXPECT_EQ(h->windowTitle(), QStringLiteral("Dayloom Help"));

    // A link to a page that does not exist leaves the page as it is.
    h->FollowLink(QUrl(QStringLiteral("nowhere.html")));
    EXPECT_TRUE(h->ShownFile().endsWith(QStringLiteral("/index.html")));

    h->resize(640, 560);
    h->ShowTopic(40014);
    dayloom::test::SaveShot(h->grab().toImage(), QStringLiteral("help_supertext"));
    h->ShowContents();
    dayloom::test::SaveShot(h->grab().toImage(), QStringLiteral("help_contents"));
    h->close();
}

TEST(HelpWindowTest, AUsersOwnPageReplacesTheInstalledOneAndLinksStillReachTheRest)
{
    const QString oldProgram = ProgramDir();
    QTemporaryDir user;
    SetProgramDir(user.path());
    QDir(user.path()).mkpath(QStringLiteral("help"));
    QFile own(user.path() + QStringLiteral("/help/topic911.html"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("<html><head><title>Our questions</title></head><body><h1>Our questions</h1>"
              "<p><a href=\"topic1015.html\">Support</a></p></body></html>");
    own.close();

    HelpWindow* h = HelpWindow::Instance();
    ShowHelpTopic(911);
    EXPECT_EQ(h->ShownFile(), own.fileName());
    EXPECT_TRUE(h->ShownText().startsWith(QStringLiteral("Our questions")));
    // The link leads to the installed page, which the user did not replace.
    h->FollowLink(QUrl::fromLocalFile(user.path() + QStringLiteral("/help/topic1015.html")));
    EXPECT_EQ(h->ShownFile(), HelpWindow::TopicFile(1015));
    EXPECT_TRUE(h->ShownFile().startsWith(InstalledDataDir()));
    h->close();
    SetProgramDir(oldProgram);
}

#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;
class QToolButton;

namespace dayloom {

// The program's help: the user guide's HTML pages (the "help" data folder,
// the user's own folder first) in a browser window with Contents, Back and
// Forward. Context number n opens "topic<n>.html"; a number without a page
// of its own opens the contents with the number named.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static HelpWindow* Instance();

    void ShowContents();
    void ShowTopic(int context);
    // Follows a link of a page: another page is looked up like a topic (the
    // user's help folder first), an anchor scrolls, a web address opens in
    // the desktop's browser.
    void FollowLink(const QUrl& link);

    // For tests: the context last asked for (0 for the contents), the page
    // shown and its text.
    int LastContext() const { return m_lastContext; }
    QString ShownText() const;
    QString ShownFile() const;
    QTextBrowser* Browser() const { return m_browser; }
    // The help page file for a context (0: the contents); empty when none
    // exists.
    static QString TopicFile(int context);

private:
    explicit HelpWindow(QWidget* parent);
    void showPage(const QString& file, const QString& fallbackTitle);
    void followTitle();

    QTextBrowser* m_browser = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    int m_lastContext = 0;
};

}  // namespace dayloom

#pragma once

#include <QWidget>

class QTextBrowser;

namespace dayloom {

// The program's help: HTML pages from the "help" data folder shown in a
// plain browser window. Context number n opens "topic<n>.html"; a number
// without a page of its own opens the contents with the number named.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static HelpWindow* Instance();

    void ShowContents();
    void ShowTopic(int context);

    // For tests: the context last asked for (0 for the contents) and the
    // text shown.
    int LastContext() const { return m_lastContext; }
    QString ShownText() const;
    // The help page file for a context (empty when none exists).
    static QString TopicFile(int context);

private:
    explicit HelpWindow(QWidget* parent);
    void showPage(const QString& file, const QString& fallbackTitle);

    QTextBrowser* m_browser = nullptr;
    int m_lastContext = 0;
};

}  // namespace dayloom

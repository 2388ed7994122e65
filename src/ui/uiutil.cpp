#include "ui/uiutil.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/helpwindow.h"

// The icon files are compiled into this library; naming their initialiser
// here keeps the linker from dropping them.
static void initApplicationIconResource() { Q_INIT_RESOURCE(applicationicon); }

namespace dayloom {

namespace {
MessageHook g_messageHook;
QWidget* g_mainForm = nullptr;

QString shortClassName(const QWidget* w)
{
    QString name = QString::fromLatin1(w->metaObject()->className());
    const qsizetype colon = name.lastIndexOf(u':');
    return colon < 0 ? name : name.mid(colon + 1);
}
}  // namespace

MessageHook SetMessageHook(MessageHook hook)
{
    MessageHook old = std::move(g_messageHook);
    g_messageHook = std::move(hook);
    return old;
}

QString MessageLines(const QString& text)
{
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(u'\r', u'\n');
    return s;
}

QMessageBox::StandardButton ShowMessage(QMessageBox::Icon icon, const QString& caption,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    MessageRequest request{icon, caption, MessageLines(text), buttons};
    if (g_messageHook)
        return g_messageHook(request);
    // Whatever cursor a long operation left, the box is answered with the arrow.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    QMessageBox box(icon, caption, request.text, buttons, g_mainForm);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const auto answer = QMessageBox::StandardButton(box.exec());
    QGuiApplication::restoreOverrideCursor();
    return answer;
}

void ShowInformation(const QString& text)
{
    ShowMessage(QMessageBox::Information, QStringLiteral("Information"), text);
}

bool AskYesNo(const QString& text, const QString& caption)
{
    return ShowMessage(QMessageBox::Question, caption, text,
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

void ShowError(const QString& text)
{
    ShowMessage(QMessageBox::Critical, QStringLiteral("Error"), text);
}

void SetScreenCursor(Qt::CursorShape shape)
{
    if (shape == Qt::ArrowCursor) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        return;
    }
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    else
        QGuiApplication::setOverrideCursor(QCursor(shape));
}

Qt::CursorShape ScreenCursor()
{
    const QCursor* c = QGuiApplication::overrideCursor();
    return c ? c->shape() : Qt::ArrowCursor;
}

void ShowWaitCursor() { SetScreenCursor(Qt::WaitCursor); }
void RestoreCursor() { SetScreenCursor(Qt::ArrowCursor); }

void ProcessMessages() { QCoreApplication::processEvents(); }

void SetMainForm(QWidget* form) { g_mainForm = form; }
QWidget* MainForm() { return g_mainForm; }

void CenterForm(QWidget* form)
{
    if (!form)
        return;
    if (form->windowFlags() & Qt::WindowMaximizeButtonHint)
        form->setWindowFlag(Qt::WindowSystemMenuHint, true);
    QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QSize size = form->frameGeometry().size();
    const bool isMain = shortClassName(form).toUpper() == QLatin1String("TCALENDARMAIN");
    if (isMain || !g_mainForm || g_mainForm == form || g_mainForm->isMaximized()) {
        form->move(screenRect.left() + (screenRect.width() - size.width()) / 2,
                   screenRect.top() + (screenRect.height() - size.height()) / 2);
        return;
    }
    const QRect main = g_mainForm->frameGeometry();
    form->move(main.left() + (main.width() - size.width()) / 2,
               main.top() + (main.height() - size.height()) / 2);
}

QIcon ApplicationIcon()
{
    initApplicationIconResource();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/dayloom-%1.png").arg(size), QSize(size, size));
    return icon;
}

void ShowHelpTopic(int context)
{
    HelpWindow::Instance()->ShowTopic(context);
}

void ShowHelpContents()
{
    HelpWindow::Instance()->ShowContents();
}

QHBoxLayout* HelpOkCancelBar(QDialog* dialog, int helpContext)
{
    auto* bar = new QHBoxLayout;
    auto* help = new QPushButton(QStringLiteral("Help"), dialog);
    auto* ok = new QPushButton(QStringLiteral("Ok"), dialog);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    ok->setObjectName(QStringLiteral("OKButton"));
    cancel->setObjectName(QStringLiteral("CancelButton"));
    ok->setDefault(true);
    bar->addWidget(help);
    bar->addStretch();
    bar->addWidget(ok);
    bar->addWidget(cancel);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(help, &QPushButton::clicked, dialog,
                     [helpContext] { ShowHelpTopic(helpContext); });
    return bar;
}

}  // namespace dayloom

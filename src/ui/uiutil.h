#pragma once

#include <functional>

#include <QMessageBox>
#include <QString>

class QDialog;
class QHBoxLayout;
class QIcon;
class QWidget;

namespace dayloom {

// Every message box of the program goes through ShowMessage, so that a test
// can answer it: with a hook installed, the hook gets the request and its
// answer is returned instead of showing a box.
struct MessageRequest {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    QString text;  // line breaks already converted
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};
using MessageHook = std::function<QMessageBox::StandardButton(const MessageRequest&)>;
// Installs a hook (an empty one removes it); returns the previous one.
MessageHook SetMessageHook(MessageHook hook);

// The button row of the program's dialogs: "Help" on the left (opening help
// topic helpContext), then "Ok" (the default, accepts) and "Cancel" (rejects)
// on the right. The buttons are named "OKButton" and "CancelButton".
QHBoxLayout* HelpOkCancelBar(QDialog* dialog, int helpContext);

// "\r\n" and a lone "\r" in a message text are line breaks.
QString MessageLines(const QString& text);
QMessageBox::StandardButton ShowMessage(QMessageBox::Icon icon, const QString& caption,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton =
                                            QMessageBox::NoButton);
// Caption "Information", information icon, OK.
void ShowInformation(const QString& text);
// Yes / No with a question icon; true for Yes.
bool AskYesNo(const QString& text, const QString& caption);
// An error box with the failure's text (the application's standard handler).
void ShowError(const QString& text);

// The screen cursor: one override cursor for the whole application, or none
// (the arrow). Setting the arrow removes the override.
void SetScreenCursor(Qt::CursorShape shape);
Qt::CursorShape ScreenCursor();
void ShowWaitCursor();
void RestoreCursor();

// Process pending events (where long operations let the window breathe).
void ProcessMessages();

// The window dialogs are centred over; set by the main window.
void SetMainForm(QWidget* form);
QWidget* MainForm();
// The main window itself is centred on the screen; any other window over the
// main window, or on the screen while the main window is maximised.
void CenterForm(QWidget* form);

// The program's icon, for every window.
QIcon ApplicationIcon();

// Help pages (HTML in the help folder) shown in the help window.
void ShowHelpTopic(int context);
void ShowHelpContents();

}  // namespace dayloom

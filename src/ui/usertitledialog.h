#pragma once

#include <QDialog>

class QLineEdit;

namespace dayloom {

// "User Defined Title": one line for the page's own title.
class UserTitleDialog : public QDialog {
    Q_OBJECT
public:
    explicit UserTitleDialog(const QString& title, QWidget* parent = nullptr);
    QString Title() const;
    QLineEdit* Edit() const { return m_edit; }

private:
    QLineEdit* m_edit = nullptr;
};

}  // namespace dayloom

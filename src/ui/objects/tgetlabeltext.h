#pragma once

#include <QDialog>

class QLineEdit;

namespace dayloom {

// The label text dialog: "Enter Text" and one line.
class TGetLabelText : public QDialog {
    Q_OBJECT
public:
    explicit TGetLabelText(QWidget* parent = nullptr);

    QLineEdit* Edit() const { return m_edit; }
    QString Text() const;
    void SetText(const QString& text);

private:
    QLineEdit* m_edit;
};

}  // namespace dayloom

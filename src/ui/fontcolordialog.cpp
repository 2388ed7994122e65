#include "ui/fontcolordialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/tfont.h"
#include "ui/objects/colorpicker.h"

namespace dayloom {

namespace {

// The face the font dialog can show for a face name: the name itself when
// the font database lists it, else the face the name resolves to.
QString listedFamily(const QString& family)
{
    if (family.isEmpty() || QFontDatabase::families().contains(family, Qt::CaseInsensitive))
        return family;
    const QString resolved = QFontInfo(QFont(family)).family();
    return resolved.isEmpty() ? family : resolved;
}

}  // namespace

FontColorDialog::FontColorDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FontColorDialog"));
    setWindowTitle(QStringLiteral("Font"));
    auto* column = new QVBoxLayout(this);

    // Qt's font dialog, as a part of this one.
    m_fontDialog = new QFontDialog(this);
    m_fontDialog->setWindowFlags(Qt::Widget);
    m_fontDialog->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fontDialog->setSizeGripEnabled(false);
    m_fontDialog->installEventFilter(this);
    column->addWidget(m_fontDialog, 1);
    // Its sample line shows the colour too.
    for (QGroupBox* box : m_fontDialog->findChildren<QGroupBox*>())
        if (auto* edit = box->findChild<QLineEdit*>())
            m_sample = edit;

    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("&Color:"), this);
    m_colorList = new ColorComboBox(this);
    m_colorList->setObjectName(QStringLiteral("ColorList"));
    label->setBuddy(m_colorList);
    row->addWidget(label);
    row->addWidget(m_colorList);
    row->addStretch(1);
    column->addLayout(row);
    connect(m_colorList, &ColorComboBox::ColorChanged, this, [this] {
        m_colorChosen = true;
        showSampleColor();
    });

    // Its own (hidden) buttons must not take Return from ours.
    for (QPushButton* b : m_fontDialog->findChildren<QPushButton*>()) {
        b->setDefault(false);
        b->setAutoDefault(false);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
}

bool FontColorDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The inner dialog would take Escape for itself (and hide) and let
    // Return go nowhere: they close this one.
    if (watched == m_fontDialog && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FontColorDialog::SetCurrentFont(const QFont& font, TColor color)
{
    m_givenFamily = font.family();
    m_shownFamily = listedFamily(m_givenFamily);
    QFont shown = font;
    shown.setFamilies({m_shownFamily});
    m_fontDialog->setCurrentFont(shown);
    m_givenColor = color;
    m_colorChosen = false;
    m_colorList->SetColor(color);
    showSampleColor();
}

QFont FontColorDialog::SelectedFont() const
{
    QFont font = m_fontDialog->currentFont();
    if (!m_givenFamily.isEmpty() && font.family().compare(m_shownFamily, Qt::CaseInsensitive) == 0)
        font.setFamilies({m_givenFamily});
    return font;
}

TColor FontColorDialog::SelectedColor() const
{
    return m_colorChosen ? m_colorList->Color() : m_givenColor;
}

void FontColorDialog::showSampleColor()
{
    if (!m_sample)
        return;
    QPalette pal = m_sample->palette();
    pal.setColor(QPalette::Text, ToQColor(SelectedColor()));
    m_sample->setPalette(pal);
}

bool ChooseFontAndColor(QFont& font, TColor& color, QWidget* parent)
{
    FontColorDialog dialog(parent);
    dialog.SetCurrentFont(font, color);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.SelectedFont();
    color = dialog.SelectedColor();
    return true;
}

bool ChooseFontAndColor(TFontData& font, QWidget* parent)
{
    QFont chosen = font.ToQFont();
    TColor color = font.Color;
    if (!ChooseFontAndColor(chosen, color, parent))
        return false;
    font = font.WithQFont(chosen).WithColor(color);
    return true;
}

bool ChooseFontAndColor(TFont& font, QWidget* parent)
{
    TFontData data = font.Data();
    if (!ChooseFontAndColor(data, parent))
        return false;
    font.SetData(data);
    return true;
}

}  // namespace dayloom

#include "objects/tgplabel.h"

#include <QFontMetrics>

#include "core/tfont.h"
#include "objects/objectdialogs.h"

namespace dayloom {

TGPLabel::TGPLabel(QObject* parent) : TGBaseLabel(parent) {}

void TGPLabel::EditText()
{
    QString text = Caption();
    if (ObjectDialogs().editLabelText && ObjectDialogs().editLabelText(text)) {
        SetCaption(text);
        FitToText();
        Repaint();
    }
}

void TGPLabel::FitToText()
{
    if (Angle() != 0)
        return;
    MarkDirty();
    RecalcLayout();
    const QFontMetrics fm(ZoomedFont(*Font(), Scale()));
    const int left = qMax(MainRect().left(), qMax(ShadowRect().left(), HighlightRect().left()));
    const int top = qMax(MainRect().top(), qMax(ShadowRect().top(), HighlightRect().top()));
    const int needW = left + fm.horizontalAdvance(Caption() + QStringLiteral("     "));
    const int needH = top + fm.height();
    int w = Width(), h = Height();
    if (w < needW)
        w = needW;
    if (h < needH)
        h = needH;
    if (w != Width() || h != Height())
        SetBounds(QRect(Left(), Top(), w, h));
    MarkDirty();
    Repaint();
}

void TGPLabel::ShowFontDialog()
{
    TGBaseLabel::ShowFontDialog();
    FitToText();
}

void TGPLabel::AppendMenuItems(MenuEntryList& m)
{
    TGBaseLabel::AppendMenuItems(m);
    m << MenuEntry::Separator();
    MenuEntry text = MenuEntry::Item(QStringLiteral("Text"), [this] { EditText(); });
    text.tag = 1000;
    m << text;
    m << MenuEntry::Separator();
    MenuEntry rotation;
    rotation.caption = QStringLiteral("Rotation");
    auto choice = [this](const char* caption, int angle) {
        return MenuEntry::CheckItem(QString::fromLatin1(caption), [this, angle] { SetAngle(angle); });
    };
    rotation.submenu << choice("No Rotation", 0) << choice("90 Degrees", 90) << choice("180 Degrees", 180)
                     << choice("270 Degrees", 270);
    m << rotation;
}

void TGPLabel::UpdateMenu(MenuEntryList& m)
{
    TGBaseLabel::UpdateMenu(m);
    if (MenuEntry* r = FindMenuItem(m, QStringLiteral("Rotation"))) {
        const int angles[4] = {0, 90, 180, 270};
        for (int k = 0; k < r->submenu.size() && k < 4; ++k)
            r->submenu[k].checked = Angle() == angles[k];
    }
}

}  // namespace dayloom

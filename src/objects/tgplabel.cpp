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
    // Measured on the view, as the user sees the label; a size that grows
    // goes back into page pixels.
    MarkDirty();
    const PageMapping view = View();
    const LabelLayout& l = LayoutAt(view);
    const QFontMetrics fm(ZoomedFont(*Font(), view));
    const int left = qMax(l.MainRect.left(), qMax(l.ShadowRect.left(), l.HighlightRect.left()));
    const int top = qMax(l.MainRect.top(), qMax(l.ShadowRect.top(), l.HighlightRect.top()));
    const int needW = left + fm.horizontalAdvance(Caption() + QStringLiteral("     "));
    const int needH = top + fm.height();
    const QRect shown = ViewRect();
    int w = shown.width(), h = shown.height();
    if (w < needW)
        w = needW;
    if (h < needH)
        h = needH;
    if (w != shown.width() || h != shown.height())
        SetViewRect(QRect(shown.left(), shown.top(), w, h));
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

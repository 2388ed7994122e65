#include "ui/objects/objectdialoginstall.h"

#include <cmath>

#include <QColorDialog>
#include <QDir>
#include <QFontDialog>
#include <QPointer>

#include "core/tfont.h"
#include "core/zoom.h"
#include "imaging/imageloader.h"
#include "objects/objectdialogs.h"
#include "objects/tgbaselabel.h"
#include "objects/tgflatcalendar.h"
#include "objects/tgprichbaselabel.h"
#include "objects/tgsupertext.h"
#include "richtext/twprtfstorage.h"
#include "ui/objects/tflatcalendareditor.h"
#include "ui/objects/tgetlabeltext.h"
#include "ui/objects/tgfont3deffects.h"
#include "ui/objects/tgimagebrowser.h"
#include "ui/objects/tsupertextproperties.h"
#include "ui/objects/trichtextlabeleditor.h"
#include "stream/preferences.h"
#include "ui/fontcolordialog.h"
#include "ui/uiutil.h"

namespace dayloom {

void InstallObjectDialogs(QWidget* parent)
{
    QPointer<QWidget> owner(parent);
    ObjectDialogHooks& hooks = ObjectDialogs();
    hooks.chooseFont = [owner](TFont& font) { return ChooseFontAndColor(font, owner.data()); };
    hooks.chooseColor = [owner](TColor& color) {
        const QColor chosen = QColorDialog::getColor(ToQColor(color), owner.data());
        if (!chosen.isValid())
            return false;
        color = FromQColor(chosen);
        return true;
    };
    hooks.chooseScalableFont = [owner](TFont& font) {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font.ToQFont(), owner.data(), QString(),
                                                  QFontDialog::ScalableFonts);
        if (!ok)
            return false;
        font.AssignQFont(chosen);
        return true;
    };
    hooks.editSuperText = [owner](const TGSuperText& object, TGSuperText& edited, QString& rememberedPath) {
        TSuperTextProperties dialog(owner.data());
        dialog.Preview()->CopyFrom(object);
        dialog.SetRememberedPath(rememberedPath);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        edited.CopyFrom(*dialog.Preview());
        rememberedPath = dialog.RememberedPath();
        return true;
    };
    hooks.editLabelText = [owner](QString& text) {
        TGetLabelText dialog(owner.data());
        dialog.SetText(text);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        text = dialog.Text();
        return true;
    };
    hooks.edit3DEffects = [owner](TGBaseLabel& label) {
        TGFont3DEffects dialog(owner.data());
        dialog.TakeFrom(label);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        dialog.CopyTo(label);
        return true;
    };
    hooks.editFlatCalendar = [owner](TGFlatCalendar& sample) {
        TFlatCalendarEditor dialog(owner.data());
        dialog.Sample()->AssignProperties(sample);
        dialog.Sample()->SetBounds(sample.Bounds());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        sample.AssignProperties(*dialog.Sample());
        return true;
    };
    hooks.editRichText = [owner](TGPRichBaseLabel& label) {
        ShowWaitCursor();
        TRichTextLabelEditor dialog(owner.data());
        dialog.SetText(label.RTFText());
        if (!label.Transparent())
            dialog.SetPanelColor(ToQColor(label.BGColor()));
        dialog.SetPanelSize(label.ViewRect().size() + QSize(1, 1));
        dialog.SetPageWidthTwips(label.PageWidthTwips());
        dialog.SetZoom(label.View().ViewZoom().RoundedPercent());
        RestoreCursor();
        if (dialog.exec() != QDialog::Accepted)
            return false;
        TWPRtfStorage text;
        dialog.TakeText(text);
        label.SetRTFText(text);
        return true;
    };
    hooks.browseImage = [owner](LoadedPicture& picture, bool& stretch, bool& autoSize) {
        // The browser starts in the folder last used for clip art (else the
        // user's pictures); a picture taken makes its folder the last used.
        TGImageBrowser dialog(owner.data());
        dialog.SetStretch(stretch);
        dialog.SetAutoSize(autoSize);
        if (dialog.exec() != QDialog::Accepted || dialog.SelectedFile().isEmpty())
            return false;
        WriteLastFolder(FolderKind::Clipart, dialog.Folder());
        picture = dialog.Preview();
        stretch = dialog.Stretch();
        autoSize = dialog.AutoSize();
        return true;
    };
}

}  // namespace dayloom

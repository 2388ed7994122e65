#pragma once

#include <functional>

#include <QString>

#include "core/tcolor.h"

namespace dayloom {

class TFont;
class TGBaseLabel;
class TGPRichBaseLabel;
class TGFlatCalendar;
class TGSuperText;
struct LoadedPicture;

// The dialogs page objects open. The model holds only these hooks; the
// widgets install the real dialogs, tests install scripted answers. A hook
// that is not set answers "cancelled".
struct ObjectDialogHooks {
    // Font dialog preset with the font; true and the font changed on OK.
    std::function<bool(TFont& font)> chooseFont;
    // Colour dialog preset with the colour; true and the colour changed on OK.
    std::function<bool(TColor& color)> chooseColor;
    // The label text dialog: true and the text changed on OK.
    std::function<bool(QString& text)> editLabelText;
    // The 3D effects dialog for a label: true when OK copied the values over.
    std::function<bool(TGBaseLabel& label)> edit3DEffects;
    // The rich-text editor for a label: true when OK set the new text.
    std::function<bool(TGPRichBaseLabel& label)> editRichText;
    // The floating calendar properties dialog: true when OK copied the values.
    std::function<bool(TGFlatCalendar& calendar)> editFlatCalendar;
    // The font dialog offering scalable (TrueType) fonts only.
    std::function<bool(TFont& font)> chooseScalableFont;
    // The special-effects text properties dialog, its preview a copy of the
    // object and its remembered texture path preset: true on OK, with the
    // preview's values copied into `edited` and the path updated.
    std::function<bool(const TGSuperText& object, TGSuperText& edited, QString& rememberedPath)> editSuperText;
    // The clip-art browser, its "Stretch" and "AutoSize" boxes preset from
    // the two flags: true when OK was pressed with a file selected; the
    // picture is then the browser's preview (empty when the file could not
    // be loaded) and the flags hold the boxes' states.
    std::function<bool(LoadedPicture& picture, bool& stretch, bool& autoSize)> browseImage;
};

ObjectDialogHooks& ObjectDialogs();

}  // namespace dayloom

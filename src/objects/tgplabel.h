#pragma once

#include "objects/tgbaselabel.h"

namespace dayloom {

// The label kind the text tool draws: the base label with the text dialog,
// fitting to the text and the rotation menu.
class TGPLabel : public TGBaseLabel {
    Q_OBJECT
public:
    explicit TGPLabel(QObject* parent = nullptr);

    // The text dialog; on OK the caption is replaced and the label fitted.
    void EditText();
    // At angle 0 only: grows (never shrinks) the label so the text fits.
    void FitToText();
    void ShowFontDialog() override;
    void UpdateMenu(MenuEntryList& menu) override;

protected:
    void AppendMenuItems(MenuEntryList& menu) override;
};

}  // namespace dayloom

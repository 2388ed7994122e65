#pragma once

#include <QDialog>

#include "objects/tbitmap.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTimer;
class QToolButton;
class QWidget;

namespace dayloom {

class PaletteColorButton;
class TGSuperText;

// "SuperText Properties": every setting of a special-effects text on a live
// preview. The preview is refitted around its text 200 ms after a change of
// the text; the surface list shows the panel of the chosen surface.
class TSuperTextProperties : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40014;
    static constexpr int kRefitMilliseconds = 200;

    explicit TSuperTextProperties(QWidget* parent = nullptr);
    ~TSuperTextProperties() override;

    TGSuperText* Preview() const { return FPreview; }
    // The texture file last chosen (the object's LastBitmapFileNameandPath).
    QString RememberedPath() const { return FRememberedPath; }
    void SetRememberedPath(const QString& path) { FRememberedPath = path; }
    // The texture "Texture" brings back: the preview's own when it has one
    // (taken on activation), else the dialog's default, else the last loaded.
    const TBitmap& RememberedTexture() const { return FRememberedTexture; }
    // The small texture the dialog starts with when the object has none.
    static BmpFile DefaultTexture();

    // Loads every control from the preview (done on activation).
    void FormActivate();
    // Refits the preview when the text changed since the last refit.
    void RefitTimerTick();

    // The folder "Load Texture" opens when the remembered file is gone:
    // "bmbrush" or "Textures" of the program's files, else ProgramDir().
    static QString TextureFolder();
    // "Load Texture": the texture browser; on OK the preview's texture and
    // the remembered texture and path become the chosen file's.
    void LoadTextureClick();
    // "Select Symbol": the symbol selector; on OK the text becomes the
    // chosen character in the chosen font.
    void SelectSymbolClick();
    // The font size buttons: down by 5 while above 10, up by 5 while below 150.
    void FontSizeDown();
    void FontSizeUp();

    QLineEdit* TextEdit() const { return FTextEdit; }
    QComboBox* SurfaceTypeList() const { return FSurfaceType; }
    QWidget* NormalPanel() const { return FNormalPanel; }
    QWidget* TexturePanel() const { return FTexturePanel; }
    QWidget* GradientPanel() const { return FGradientPanel; }
    PaletteColorButton* FontColorButton() const { return FFontColor; }
    QPushButton* LoadTextureButton() const { return FLoadTexture; }
    QComboBox* FillDirectionList() const { return FFillDirection; }
    PaletteColorButton* FromColorButton() const { return FFromColor; }
    PaletteColorButton* ToColorButton() const { return FToColor; }
    PaletteColorButton* ShadowColorButton() const { return FShadowColor; }
    QComboBox* ShadowOrientationList() const { return FShadowOrientation; }
    QSpinBox* ShadowDepthEdit() const { return FShadowDepth; }
    PaletteColorButton* OutlineColorButton() const { return FOutlineColor; }
    QComboBox* OutlineStyleList() const { return FOutlineStyle; }
    QSpinBox* OutlineWidthEdit() const { return FOutlineWidth; }
    QPushButton* SelectFontButton() const { return FSelectFont; }
    QToolButton* FontSizeDownButton() const { return FSizeDown; }
    QToolButton* FontSizeUpButton() const { return FSizeUp; }
    QPushButton* SelectSymbolButton() const { return FSelectSymbol; }
    QWidget* PreviewArea() const { return FPreviewArea; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TextEditChange(const QString& text);
    void SurfaceTypeChange(int index);
    void ShowSurfacePanel(int index);
    void SelectFontClick();
    void OKButtonClick();
    void Refit();
    void PreviewChanged();

    TGSuperText* FPreview;
    TBitmap FRememberedTexture;
    QString FRememberedPath;
    bool FRefitPending = false;
    bool FFilling = false;
    QTimer* FRefitTimer;

    QLineEdit* FTextEdit;
    QComboBox* FSurfaceType;
    QWidget* FNormalPanel;
    QWidget* FTexturePanel;
    QWidget* FGradientPanel;
    PaletteColorButton* FFontColor;
    QPushButton* FLoadTexture;
    QComboBox* FFillDirection;
    PaletteColorButton* FFromColor;
    PaletteColorButton* FToColor;
    PaletteColorButton* FShadowColor;
    QComboBox* FShadowOrientation;
    QSpinBox* FShadowDepth;
    PaletteColorButton* FOutlineColor;
    QComboBox* FOutlineStyle;
    QSpinBox* FOutlineWidth;
    QPushButton* FSelectFont;
    QToolButton* FSizeDown;
    QToolButton* FSizeUp;
    QPushButton* FSelectSymbol;
    QScrollArea* FPreviewScroll;
    QWidget* FPreviewArea;
};

}  // namespace dayloom

#pragma once

#include <QDialog>

class QComboBox;

namespace dayloom {

class ColorComboBox;
class TGBaseLabel;
class TGPLabel;

// "Text 3D Effects": shadow and highlight direction, colour and depth and
// the font colour of a label, with a live sample.
class TGFont3DEffects : public QDialog {
    Q_OBJECT
public:
    explicit TGFont3DEffects(QWidget* parent = nullptr);
    ~TGFont3DEffects() override;

    // Fills the sample and the lists from the label.
    void TakeFrom(const TGBaseLabel& label);
    // Copies the sample's font, depths, directions and colours to the label.
    void CopyTo(TGBaseLabel& label) const;
    TGPLabel* Sample() const { return m_sample; }

    QComboBox* ShadowDirection() const { return m_shadowDirection; }
    QComboBox* ShadowDepth() const { return m_shadowDepth; }
    QComboBox* HighlightDirection() const { return m_highlightDirection; }
    QComboBox* HighlightDepth() const { return m_highlightDepth; }
    ColorComboBox* ShadowColor() const { return m_shadowColor; }
    ColorComboBox* HighlightColor() const { return m_highlightColor; }
    ColorComboBox* FontColor() const { return m_fontColor; }

private:
    void applyToSample();

    TGPLabel* m_sample;
    QWidget* m_sampleArea;
    QComboBox* m_shadowDirection;
    QComboBox* m_shadowDepth;
    QComboBox* m_highlightDirection;
    QComboBox* m_highlightDepth;
    ColorComboBox* m_shadowColor;
    ColorComboBox* m_highlightColor;
    ColorComboBox* m_fontColor;
    bool m_filling = false;
};

}  // namespace dayloom

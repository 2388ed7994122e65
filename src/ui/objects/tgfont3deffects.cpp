#include "ui/objects/tgfont3deffects.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/tfont.h"
#include "objects/tgplabel.h"
#include "ui/objects/colorpicker.h"
#include "ui/uiutil.h"

namespace dayloom {

namespace {

// Paints the sample label filling the area.
class SampleArea : public QWidget {
public:
    SampleArea(TGPLabel* sample, QWidget* parent) : QWidget(parent), m_sample(sample)
    {
        setMinimumHeight(90);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        m_sample->SetBounds(QRect(0, 0, width(), height()));
        m_sample->MarkDirty();
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        m_sample->SetBounds(QRect(0, 0, width(), height()));
        m_sample->MarkDirty();
        m_sample->Paint(p, m_sample->View());
        p.setPen(Qt::gray);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    TGPLabel* m_sample;
};

QComboBox* depthList(QWidget* parent)
{
    auto* c = new QComboBox(parent);
    for (int i = 0; i <= 10; ++i)
        c->addItem(QString::number(i));
    return c;
}

}  // namespace

TGFont3DEffects::TGFont3DEffects(QWidget* parent) : QDialog(parent), m_sample(new TGPLabel(this))
{
    setObjectName(QStringLiteral("GFont3DEffects"));
    setWindowTitle(QStringLiteral("Text 3D Effects"));
    setFixedSize(467, 338);
    m_sample->SetCaption(QStringLiteral("Text"));

    auto* column = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    auto* shadow = new QFormLayout;
    m_shadowDirection = new QComboBox(this);
    m_shadowDirection->addItems({"None", "Right", "Left", "Lower Right", "Lower Left", "Down"});
    m_shadowColor = new ColorComboBox(this);
    m_shadowDepth = depthList(this);
    shadow->addRow(QStringLiteral("Shadow Direction"), m_shadowDirection);
    shadow->addRow(QStringLiteral("Shadow Color"), m_shadowColor);
    shadow->addRow(QStringLiteral("Shadow Depth"), m_shadowDepth);
    auto* highlight = new QFormLayout;
    m_highlightDirection = new QComboBox(this);
    m_highlightDirection->addItems({"None", "Right", "Left", "Upper Right", "Upper Left", "Up"});
    m_highlightColor = new ColorComboBox(this);
    m_highlightDepth = depthList(this);
    highlight->addRow(QStringLiteral("Highlight Direction"), m_highlightDirection);
    highlight->addRow(QStringLiteral("Highlight Color"), m_highlightColor);
    highlight->addRow(QStringLiteral("Highlight Depth"), m_highlightDepth);
    columns->addLayout(shadow);
    columns->addLayout(highlight);
    column->addLayout(columns);
    auto* fontRow = new QFormLayout;
    m_fontColor = new ColorComboBox(this);
    fontRow->addRow(QStringLiteral("Font Color"), m_fontColor);
    column->addLayout(fontRow);
    auto* frame = new QGroupBox(this);
    auto* frameLayout = new QVBoxLayout(frame);
    m_sampleArea = new SampleArea(m_sample, frame);
    frameLayout->addWidget(m_sampleArea);
    column->addWidget(frame, 1);

    column->addLayout(HelpOkCancelBar(this, 40008));

    for (QComboBox* c : {m_shadowDirection, m_shadowDepth, m_highlightDirection, m_highlightDepth})
        connect(c, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { applyToSample(); });
    for (ColorComboBox* c : {m_shadowColor, m_highlightColor, m_fontColor})
        connect(c, &ColorComboBox::ColorChanged, this, [this] { applyToSample(); });
}

TGFont3DEffects::~TGFont3DEffects() = default;

void TGFont3DEffects::TakeFrom(const TGBaseLabel& label)
{
    m_filling = true;
    m_sample->Font()->Assign(*label.Font());
    m_sample->SetDepthShadow(label.DepthShadow());
    m_sample->SetDepthHighlight(label.DepthHighlight());
    m_sample->SetDirectionShadow(label.DirectionShadow());
    m_sample->SetDirectionHighlight(label.DirectionHighlight());
    m_sample->SetcolorShadow(label.colorShadow());
    m_sample->SetcolorHighlight(label.colorHighlight());
    m_shadowDirection->setCurrentIndex(int(label.DirectionShadow()));
    m_highlightDirection->setCurrentIndex(int(label.DirectionHighlight()));
    // A depth the list does not hold (from a document) shows no selection.
    m_shadowDepth->setCurrentIndex(label.DepthShadow() <= 10 ? label.DepthShadow() : -1);
    m_highlightDepth->setCurrentIndex(label.DepthHighlight() <= 10 ? label.DepthHighlight() : -1);
    m_shadowColor->SetColor(label.colorShadow());
    m_highlightColor->SetColor(label.colorHighlight());
    m_fontColor->SetColor(label.Font()->Color());
    m_filling = false;
    m_sampleArea->update();
}

void TGFont3DEffects::applyToSample()
{
    if (m_filling)
        return;
    if (m_shadowDirection->currentIndex() >= 0)
        m_sample->SetDirectionShadow(TShadowDirection(m_shadowDirection->currentIndex()));
    if (m_highlightDirection->currentIndex() >= 0)
        m_sample->SetDirectionHighlight(THighlightDirection(m_highlightDirection->currentIndex()));
    if (m_shadowDepth->currentIndex() >= 0)
        m_sample->SetDepthShadow(m_shadowDepth->currentIndex());
    if (m_highlightDepth->currentIndex() >= 0)
        m_sample->SetDepthHighlight(m_highlightDepth->currentIndex());
    m_sample->SetcolorShadow(m_shadowColor->Color());
    m_sample->SetcolorHighlight(m_highlightColor->Color());
    m_sample->Font()->SetColor(m_fontColor->Color());
    m_sampleArea->update();
}

void TGFont3DEffects::CopyTo(TGBaseLabel& label) const
{
    label.Font()->Assign(*m_sample->Font());
    label.SetDepthShadow(m_sample->DepthShadow());
    label.SetDepthHighlight(m_sample->DepthHighlight());
    label.SetDirectionShadow(m_sample->DirectionShadow());
    label.SetDirectionHighlight(m_sample->DirectionHighlight());
    label.SetcolorShadow(m_sample->colorShadow());
    label.SetcolorHighlight(m_sample->colorHighlight());
}

}  // namespace dayloom

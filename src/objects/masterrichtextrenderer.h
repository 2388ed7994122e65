#pragma once

#include <QObject>

#include "richtext/richtextrenderer.h"

namespace dayloom {

// The shared, hidden renderer every rich-text label paints through. The
// owner (the main window) keeps one as a child named "MASTERWPRICHTEXT";
// labels find it by walking up their chain of parents.
class MasterRichTextRenderer : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kName = "MASTERWPRICHTEXT";

    explicit MasterRichTextRenderer(QObject* owner);

    RichTextRenderer& Renderer() { return m_renderer; }

    // The first renderer named "MASTERWPRICHTEXT" (case ignored) among the
    // children of the object or of any of its ancestors; null when none.
    static MasterRichTextRenderer* Find(const QObject* from);

private:
    RichTextRenderer m_renderer;
};

}  // namespace dayloom

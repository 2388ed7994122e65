#include "objects/masterrichtextrenderer.h"

namespace dayloom {

MasterRichTextRenderer::MasterRichTextRenderer(QObject* owner) : QObject(owner)
{
    setObjectName(QString::fromLatin1(kName));
}

MasterRichTextRenderer* MasterRichTextRenderer::Find(const QObject* from)
{
    for (const QObject* o = from; o; o = o->parent()) {
        for (QObject* child : o->children()) {
            auto* r = qobject_cast<MasterRichTextRenderer*>(child);
            if (r && r->objectName().toUpper() == QLatin1String(kName))
                return r;
        }
    }
    return nullptr;
}

}  // namespace dayloom

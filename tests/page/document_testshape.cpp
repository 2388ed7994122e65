#include "document_testshape.h"

#include "objects/pageobjectclasses.h"
#include "stream/classbuilder.h"
#include "stream/componentregistry.h"

namespace dayloom::test {

TDocTestShape::TDocTestShape(QObject* parent) : TGGraphicControl(parent) { ++Alive(); }
TDocTestShape::~TDocTestShape() { --Alive(); }

int& TDocTestShape::Alive()
{
    static int alive = 0;
    return alive;
}

void TDocTestShape::Register()
{
    auto& registry = ComponentRegistry::Global();
    RegisterPageObjectClasses(registry);
    if (registry.FindClass(QStringLiteral("TDocTestShape")))
        return;
    ClassBuilder<TDocTestShape>(registry, QStringLiteral("TDocTestShape"))
        .Creatable()
        .String("Caption", [](const TDocTestShape& s) { return s.Caption; },
                [](TDocTestShape& s, const QString& v) { s.Caption = v; });
}

}  // namespace dayloom::test

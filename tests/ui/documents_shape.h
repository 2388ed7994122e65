#pragma once

// A registered page-object class for the document-command tests.

#include "objects/pageobjectclasses.h"
#include "objects/tggraphiccontrol.h"
#include "stream/classbuilder.h"
#include "stream/componentregistry.h"

namespace dayloom::test {

class TDocUiShape : public TGGraphicControl {
    Q_OBJECT
public:
    explicit TDocUiShape(QObject* parent = nullptr) : TGGraphicControl(parent) {}

    static void Register()
    {
        auto& registry = ComponentRegistry::Global();
        RegisterPageObjectClasses(registry);
        if (!registry.FindClass(QStringLiteral("TDocUiShape")))
            ClassBuilder<TDocUiShape>(registry, QStringLiteral("TDocUiShape")).Creatable();
    }
};

}  // namespace dayloom::test

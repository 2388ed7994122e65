#pragma once

// A small page-object class registered with the program's registry, standing
// in for the real page objects in the document tests.

#include <QString>

#include "objects/tggraphiccontrol.h"

namespace dayloom::test {

class TDocTestShape : public TGGraphicControl {
    Q_OBJECT
public:
    explicit TDocTestShape(QObject* parent = nullptr);
    ~TDocTestShape() override;

    QString Caption;
    int LoadedCount = 0;
    void Loaded() override
    {
        TGGraphicControl::Loaded();
        ++LoadedCount;
    }

    // Instances alive, to see that failed records are destroyed.
    static int& Alive();
    // Registers "TDocTestShape" (after the page-object base classes).
    static void Register();
};

}  // namespace dayloom::test

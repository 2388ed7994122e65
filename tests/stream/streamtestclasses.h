#pragma once

// Classes registered with a private registry for the stream tests: one
// property of every kind, a nested font, extra properties, children, and a
// live-instance counter to catch leaks.

#include <QByteArray>
#include <QObject>

#include "core/tfont.h"
#include "stream/componentregistry.h"
#include "stream/streamablecomponent.h"
#include "stream/valuereader.h"
#include "stream/valuewriter.h"

namespace dayloom::test {

enum TShade { shNone, shLight, shDark };

class TThing : public QObject, public StreamableComponent {
    Q_OBJECT
public:
    explicit TThing(QObject* parent = nullptr);
    ~TThing() override;

    static int& Alive();

    int Tag = 0;
    int Left = 0;
    int Cursor = 0;
    bool Locked = false;
    TShade Shade = shLight;
    int Styles = 0;
    QChar Letter = QLatin1Char('a');
    double Ratio = 0;
    QString Caption;
    qint32 Color = 0xFFFFFF;
    TFont* Font;
    bool ParentFont = false;
    int Constant = 7;
    QByteArray Data;
    int LoadingCalls = 0;
    int LoadedCalls = 0;
    QList<QObject*> Children;

    void WriteExtraProperties(ValueWriter& writer) const override;
    bool ReadExtraProperty(const QString& name, ValueReader& reader) override;
    QList<QObject*> StreamChildren() const override { return Children; }
    void Loading() override { ++LoadingCalls; }
    void Loaded() override { ++LoadedCalls; }
};

// Derived class: its own property follows the base's.
class TBigThing : public TThing {
    Q_OBJECT
public:
    explicit TBigThing(QObject* parent = nullptr) : TThing(parent) {}
    int Extra = 0;
};

// Registers TThing ("TThing") and TBigThing ("TBigThing").
void RegisterThings(ComponentRegistry& registry);

}  // namespace dayloom::test

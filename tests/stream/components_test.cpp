// Component records: which properties are written and how, and how a reader
// treats what it does not know or cannot finish.

#include <gtest/gtest.h>

#include <memory>

#include "core/readerror.h"
#include "stream/componentregistry.h"
#include "stream/standardidents.h"
#include "stream/valuereader.h"
#include "stream/valuewriter.h"
#include "streamtestclasses.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }
// A bare short string.
QByteArray S(const char* text) { return char(qstrlen(text)) + QByteArray(text); }
// A tagged short string / identifier.
QByteArray Str(const char* text) { return '\x06' + S(text); }
QByteArray Ident(const char* text) { return '\x07' + S(text); }
QByteArray Head(const char* cls, const char* name) { return QByteArray("TPF0") + S(cls) + S(name); }

class ComponentStream : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterThings(registry);
        alive = TThing::Alive();
    }
    void TearDown() override
    {
        kept.clear();
        EXPECT_EQ(TThing::Alive(), alive) << "an object leaked";
    }

    QByteArray Write(const QObject* object)
    {
        QByteArray out;
        ValueWriter w(&out);
        w.SetRegistry(&registry);
        w.WriteRootComponent(object);
        return out;
    }

    // Reads a list of root records (the list end is appended) into owned objects.
    std::vector<std::unique_ptr<QObject>> Read(const QByteArray& records,
                                               ValueReader::ErrorHandler handler = {})
    {
        std::vector<std::unique_ptr<QObject>> out;
        ValueReader r(records + QByteArray(1, '\0'));
        r.SetRegistry(&registry);
        r.SetErrorHandler(std::move(handler));
        r.ReadComponents(nullptr, nullptr, [&](QObject* c) { out.emplace_back(c); });
        EXPECT_TRUE(r.AtEnd());
        return out;
    }
    TThing* ReadOne(const QByteArray& record)
    {
        auto objects = Read(record);
        EXPECT_EQ(objects.size(), 1u);
        kept = std::move(objects);
        return qobject_cast<TThing*>(kept.front().get());
    }
    QString ErrorReading(const QByteArray& records, ValueReader::ErrorHandler handler = {})
    {
        try {
            Read(records, std::move(handler));
        } catch (const ReadError& e) {
            return e.message();
        }
        return QStringLiteral("(no error)");
    }

    ComponentRegistry registry;
    std::vector<std::unique_ptr<QObject>> kept;
    int alive = 0;
};

}  // namespace

TEST_F(ComponentStream, RecordOfEveryPropertyKindByteForByte)
{
    TThing t;
    t.setObjectName("Thing1");
    t.Left = 10;
    t.Cursor = -21;
    t.Locked = true;
    t.Shade = shDark;
    t.Styles = 1 | 4;
    t.Letter = QLatin1Char('Q');
    t.Ratio = 0.25;
    t.Caption = "Hi";
    t.Color = 0x0000FF;
    t.Font->SetColor(0x123456);
    t.Font->SetHeight(-13);
    t.Font->SetName("Arial");
    t.Data = "xyz";

    const QByteArray expected = Head("TThing", "Thing1")
        + S("Left") + Hex("020a")
        + S("Cursor") + Ident("crHandPoint")
        + S("Locked") + Hex("09")
        + S("Shade") + Ident("shDark")
        + S("Styles") + '\x0b' + S("fsBold") + S("fsUnderline") + '\0'
        + S("Letter") + Str("Q")
        + S("Ratio") + Hex("05" "0000000000000080fd3f")
        + S("Caption") + Str("Hi")
        + S("Color") + Ident("clRed")
        + S("Font.Color") + Hex("0456341200")
        + S("Font.Height") + Hex("02f3")
        + S("Font.Name") + Str("Arial")
        + S("Font.Style") + Hex("0b00")
        + S("Blob.Data") + Hex("0a03000000") + "xyz"
        + Hex("0000");
    const QByteArray written = Write(&t);
    EXPECT_EQ(written.toHex(' '), expected.toHex(' '));

    TThing* back = ReadOne(written);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->objectName(), "Thing1");
    EXPECT_EQ(back->Cursor, -21);
    EXPECT_EQ(back->Shade, shDark);
    EXPECT_EQ(back->Styles, 5);
    EXPECT_EQ(back->Letter, QLatin1Char('Q'));
    EXPECT_EQ(back->Ratio, 0.25);
    EXPECT_EQ(back->Color, 0x0000FF);
    EXPECT_EQ(back->Font->Height(), -13);
    EXPECT_EQ(back->Data, "xyz");
    EXPECT_EQ(back->LoadingCalls, 1);
    EXPECT_EQ(back->LoadedCalls, 1);
    EXPECT_EQ(Write(back), written);
}

TEST_F(ComponentStream, DefaultsAndUnstoredPropertiesAreLeftOut)
{
    TThing t;  // every property with a declared default still has it
    EXPECT_EQ(Write(&t).toHex(' '),
              (Head("TThing", "") + S("Left") + Hex("0200") + S("Color") + Ident("clWhite")
               + S("Font.Color") + Ident("clWindowText") + S("Font.Height") + Hex("02f5")
               + S("Font.Name") + Str("Arial") + S("Font.Style") + Hex("0b00") + Hex("0000"))
                  .toHex(' '));

    // A font that follows its parent is not written at all; charset and
    // pitch appear only when they differ from their defaults.
    t.ParentFont = true;
    EXPECT_FALSE(Write(&t).contains("Font."));
    t.ParentFont = false;
    t.Font->SetCharset(2);
    t.Font->SetPitch(fpFixed);
    const QByteArray font = Write(&t);
    const qsizetype charset = font.indexOf(S("Font.Charset") + Ident("SYMBOL_CHARSET"));
    const qsizetype color = font.indexOf(S("Font.Color"));
    const qsizetype pitch = font.indexOf(S("Font.Pitch") + Ident("fpFixed"));
    const qsizetype style = font.indexOf(S("Font.Style"));
    EXPECT_TRUE(charset > 0 && charset < color && color < pitch && pitch < style) << font.toHex(' ').constData();
    EXPECT_EQ(ReadOne(font)->Font->Charset(), 2);
}

TEST_F(ComponentStream, ColoursAndCursorsByNameOrNumber)
{
    EXPECT_EQ(ColorIdents().ToIdent(0xC0C0C0), "clSilver");
    EXPECT_EQ(ColorIdents().ToIdent(qint32(0x80000008u)), "clWindowText");
    EXPECT_EQ(ColorIdents().ToIdent(0x123456), std::nullopt);
    EXPECT_EQ(CursorIdents().ToIdent(-5), std::nullopt);  // there is no -5

    const QByteArray record = Head("TThing", "c") + S("Color") + Ident("CLLTGRAY") + S("Cursor")
        + Hex("02fb") + S("Font.Color") + Ident("clMoneyGreen") + S("Font.Charset") + Hex("03ff00")
        + Hex("0000");
    TThing* t = ReadOne(record);
    EXPECT_EQ(t->Color, 0xC0C0C0);
    EXPECT_EQ(t->Cursor, -5);
    EXPECT_EQ(t->Font->Color(), 0xC0DCC0);
    EXPECT_EQ(t->Font->Charset(), 255);
    const QByteArray again = Write(t);
    EXPECT_TRUE(again.contains(S("Color") + Ident("clSilver")));
    EXPECT_TRUE(again.contains(S("Cursor") + Hex("02fb")));
    EXPECT_TRUE(again.contains(S("Font.Color") + Hex("04c0dcc000")));
    EXPECT_TRUE(again.contains(S("Font.Charset") + Ident("OEM_CHARSET")));

    EXPECT_EQ(ErrorReading(Head("TThing", "c") + S("Color") + Ident("clPlaid") + Hex("0000")),
              "Error reading c.Color: Invalid property value");
}

TEST_F(ComponentStream, ReadingAcceptsOtherSpellingsAndForms)
{
    // Names ignore case; a float property takes an integer; an enum its
    // ordinal; a boolean an identifier; the prefix byte is read and ignored.
    const QByteArray record = QByteArray("TPF0") + Hex("f2" "0203") + S("tthing") + S("n")
        + S("RATIO") + Hex("0203") + S("shade") + Hex("0200") + S("Locked") + Ident("true")
        + S("Font.Size") + Hex("020c") + Hex("0000");
    TThing* t = ReadOne(record);
    EXPECT_EQ(t->Ratio, 3.0);
    EXPECT_EQ(t->Shade, shNone);
    EXPECT_TRUE(t->Locked);
    EXPECT_EQ(t->Font->Height(), -16);  // 12 points at 96 PPI
}

TEST_F(ComponentStream, PropertyErrorsNameTheComponentAndTheProperty)
{
    const auto one = [](const QByteArray& pairs, const char* name = "Thing1") {
        return Head("TThing", name) + pairs + Hex("0000");
    };
    EXPECT_EQ(ErrorReading(one(S("Bogus") + Hex("0201"))),
              "Error reading Thing1.Bogus: Property does not exist");
    EXPECT_EQ(ErrorReading(one(S("Bogus") + Hex("0201"), "")),
              "Error reading TThing.Bogus: Property does not exist");
    EXPECT_EQ(ErrorReading(one(S("Font.Bogus") + Hex("0201"))),
              "Error reading Thing1.Font.Bogus: Property does not exist");
    EXPECT_EQ(ErrorReading(one(S("Left.Bogus") + Hex("0201"))),
              "Error reading Thing1.Left.Bogus: Invalid property path");
    EXPECT_EQ(ErrorReading(one(S("Constant") + Hex("0201"))),
              "Error reading Thing1.Constant: Property is read-only");
    EXPECT_EQ(ErrorReading(one(S("Left") + Str("10"))),
              "Error reading Thing1.Left: Invalid property value");
    EXPECT_EQ(ErrorReading(one(S("Shade") + Ident("shPurple"))),
              "Error reading Thing1.Shade: Invalid property value");
    EXPECT_EQ(ErrorReading(one(S("Shade") + Hex("0203"))),
              "Error reading Thing1.Shade: Invalid property value");
    EXPECT_EQ(ErrorReading(one(S("Styles") + '\x0b' + S("fsBold") + S("fsShiny") + '\0')),
              "Error reading Thing1.Styles: Invalid property value");
    EXPECT_EQ(ErrorReading(one(S("Letter") + Str("QR"))),
              "Error reading Thing1.Letter: Invalid property value");
    EXPECT_EQ(ErrorReading(one(S("Font") + Hex("0201"))),
              "Error reading Thing1.Font: Invalid property value");
    EXPECT_EQ(ErrorReading(Head("TFoo", "x") + Hex("0000")), "Class TFoo not found");
    // A class without a factory cannot be created by a record.
    EXPECT_EQ(ErrorReading(Head("TFont", "x") + Hex("0000")), "Class TFont not found");
}

TEST_F(ComponentStream, AnErrorHandlerMayAcceptPropertyErrors)
{
    const QByteArray record = Head("TThing", "h") + S("Bogus") + Hex("01" "0201" "00")
        + S("Shade") + Ident("shPurple") + S("Left.X") + Str("abc") + S("Left") + Hex("0263")
        + Hex("0000");
    QStringList seen;
    auto objects = Read(record, [&](const QString& message) {
        seen << message;
        return true;
    });
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(qobject_cast<TThing*>(objects[0].get())->Left, 99);
    EXPECT_EQ(seen, QStringList({"Error reading h.Bogus: Property does not exist",
                                 "Error reading h.Shade: Invalid property value",
                                 "Error reading h.Left.X: Invalid property path"}));

    // A handler that declines is the same as none.
    EXPECT_EQ(ErrorReading(record, [](const QString&) { return false; }),
              "Error reading h.Bogus: Property does not exist");
}

TEST_F(ComponentStream, ExtraPropertiesTakeWhatTheyKnow)
{
    TThing* t = ReadOne(Head("TThing", "e") + S("BLOB.DATA") + Hex("0a0100000041") + Hex("0000"));
    EXPECT_EQ(t->Data, "A");
    // An extra reader that fails leaves the stream unusable: never handed to the handler.
    EXPECT_EQ(ErrorReading(Head("TThing", "e") + S("Blob.Data") + Str("A") + S("Left") + Hex("0201")
                               + Hex("0000"),
                           [](const QString&) { return true; }),
              "Error reading e.Blob.Data: Invalid property value");
}

TEST_F(ComponentStream, ChildrenAndDerivedClasses)
{
    TThing parent;
    parent.setObjectName("P");
    auto* child = new TBigThing(&parent);
    child->setObjectName("C");
    child->Extra = 5;
    child->Data = "d";
    child->Font->SetName("");  // an empty string is left out
    parent.Children << child;

    const QByteArray written = Write(&parent);
    // The derived class's own property follows the base's, extras come last.
    const qsizetype style = written.lastIndexOf(S("Font.Style"));
    const qsizetype extra = written.indexOf(S("Extra") + Hex("0205"));
    const qsizetype blob = written.indexOf(S("Blob.Data"));
    EXPECT_TRUE(style > 0 && style < extra && extra < blob);
    EXPECT_EQ(written.count(S("Font.Name")), 1);
    EXPECT_TRUE(written.endsWith(Hex("0000" "00")));

    TThing* back = ReadOne(written);
    const auto children = back->findChildren<TBigThing*>();
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children[0]->objectName(), "C");
    EXPECT_EQ(children[0]->Extra, 5);
    EXPECT_EQ(children[0]->LoadedCalls, 1);
    back->Children = {children[0]};
    EXPECT_EQ(children[0]->Font->Name(), "Arial");  // left at its constructed value
    children[0]->Font->SetName("");
    EXPECT_EQ(Write(back), written);
}

TEST_F(ComponentStream, ReadComponentsKeepsWhatWasReadBeforeAFailure)
{
    TThing a;
    a.setObjectName("A");
    TThing b;
    b.setObjectName("B");
    b.Children << new TThing(&b);
    const QByteArray bad = Head("TThing", "Bad") + S("Left") + Hex("0201") + Hex("00")
        + S("TThing") + S("Child") + S("Nope") + Hex("0200") + Hex("0000") + Hex("00");

    std::vector<std::unique_ptr<QObject>> got;
    ValueReader r(Write(&a) + Write(&b) + bad + Write(&a) + Hex("00"));
    r.SetRegistry(&registry);
    const int before = TThing::Alive();
    EXPECT_THROW(r.ReadComponents(nullptr, nullptr, [&](QObject* c) { got.emplace_back(c); }), ReadError);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(TThing::Alive(), before + 3);  // A, B and B's child; the failed pair is gone
    for (const auto& c : got)
        EXPECT_EQ(qobject_cast<TThing*>(c.get())->LoadedCalls, 1);

    // A name handler decides the names of new components.
    got.clear();
    ValueReader named(Write(&a) + Write(&a) + Hex("00"));
    named.SetRegistry(&registry);
    int n = 0;
    named.SetNameHandler([&](QObject*, QString& name) { name = QStringLiteral("Component%1").arg(n++); });
    named.ReadComponents(nullptr, nullptr, [&](QObject* c) { got.emplace_back(c); });
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1]->objectName(), "Component1");
}

TEST_F(ComponentStream, EveryTruncationFailsCleanly)
{
    TThing t;
    t.setObjectName("T");
    t.Caption = QString(300, QLatin1Char('c'));
    t.Ratio = -0.5;
    t.Styles = 15;
    t.Data = QByteArray(20, 'x');
    auto* child = new TBigThing(&t);
    child->Extra = 100000;
    t.Children << child;
    const QByteArray full = Write(&t) + Write(&t) + Hex("00");
    for (qsizetype cut = 0; cut < full.size(); ++cut) {
        ValueReader r(full.left(cut));
        r.SetRegistry(&registry);
        std::vector<std::unique_ptr<QObject>> got;
        EXPECT_THROW(r.ReadComponents(nullptr, nullptr, [&](QObject* c) { got.emplace_back(c); }), ReadError)
            << cut;
    }
}

TEST_F(ComponentStream, RootComponentIntoAnExistingObjectAndDeepNesting)
{
    TThing target;
    ValueReader r(Head("TSomethingElse", "Cell7") + S("Caption") + Str("x") + Hex("0000"));
    r.SetRegistry(&registry);
    r.ReadRootComponent(&target);
    EXPECT_EQ(target.objectName(), "Cell7");
    EXPECT_EQ(target.Caption, "x");
    EXPECT_EQ(target.LoadedCalls, 1);

    ValueReader wrong(QByteArray("TPF1") + S("TThing") + Hex("000000"));
    EXPECT_THROW(wrong.ReadRootComponent(&target), ReadError);

    // Children nested 64 deep are refused before the stack suffers.
    QByteArray deep = Head("TThing", "") + Hex("00");
    for (int i = 0; i < 64; ++i)
        deep += S("TThing") + S("") + Hex("00");
    deep += QByteArray(65, '\0');
    EXPECT_EQ(ErrorReading(deep), "Invalid stream format");
}

// Byte format of single values: the writer's choices, the reader's checks.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include <QBuffer>

#include "core/readerror.h"
#include "stream/extendedfloat.h"
#include "stream/valuereader.h"
#include "stream/valuewriter.h"

using namespace dayloom;

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

template <class F>
QByteArray Written(F write)
{
    QByteArray out;
    ValueWriter w(&out);
    write(w);
    return out;
}

template <class F>
QString ErrorOf(F f)
{
    try {
        f();
    } catch (const ReadError& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace

TEST(ValueWriter, IntegersUseTheSmallestWidth)
{
    const struct {
        qint32 value;
        const char* bytes;
    } cases[] = {
        {0, "0200"},          {127, "027f"},         {-128, "0280"},
        {128, "038000"},      {-129, "037fff"},      {32767, "03ff7f"},
        {-32768, "030080"},   {32768, "0400800000"}, {-32769, "04ff7fffff"},
        {std::numeric_limits<qint32>::min(), "0400000080"},
        {std::numeric_limits<qint32>::max(), "04ffffff7f"},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = Written([&](ValueWriter& w) { w.WriteInteger(c.value); });
        EXPECT_EQ(bytes.toHex(), QByteArray(c.bytes)) << c.value;
        ValueReader r(bytes);
        EXPECT_EQ(r.ReadInteger(), c.value);
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(ValueWriter, StringsSwitchToLongFormAt256Bytes)
{
    const QString s255(255, QLatin1Char('x'));
    const QString s256(256, QLatin1Char('y'));
    const QByteArray shortForm = Written([&](ValueWriter& w) { w.WriteString(s255); });
    ASSERT_EQ(shortForm.size(), 2 + 255);
    EXPECT_EQ(shortForm.left(2).toHex(), "06ff");
    const QByteArray longForm = Written([&](ValueWriter& w) { w.WriteString(s256); });
    ASSERT_EQ(longForm.size(), 5 + 256);
    EXPECT_EQ(longForm.left(5).toHex(), "0c00010000");

    ValueReader r(shortForm + longForm);
    EXPECT_EQ(r.ReadString(), s255);
    EXPECT_EQ(r.ReadString(), s256);
}

TEST(ValueWriter, TextIsWindows1252)
{
    // Euro sign is 0x80, e-acute 0xE9; a character outside the code page is '?'.
    const QByteArray bytes = Written([](ValueWriter& w) {
        w.WriteString(QString::fromUtf8("\xE2\x82\xAC\xC3\xA9\xE4\xB8\xAD"));
    });
    EXPECT_EQ(bytes.toHex(), "0603" "80e93f");
    ValueReader r(Hex("06028093"));
    EXPECT_EQ(r.ReadString(), QString::fromUtf8("\xE2\x82\xAC\xE2\x80\x9C"));
}

TEST(ValueWriter, IdentifiersBooleansNilAndLists)
{
    const QByteArray bytes = Written([](ValueWriter& w) {
        w.WriteIdent("FALSE");
        w.WriteIdent("true");
        w.WriteIdent("Nil");
        w.WriteIdent("clRed");
        w.WriteBoolean(true);
        w.WriteBoolean(false);
        w.WriteListBegin();
        w.WriteListEnd();
        w.WriteChar(QLatin1Char('Z'));
    });
    EXPECT_EQ(bytes.toHex(), "08090d" "0705636c526564" "0908" "0100" "06015a");

    ValueReader r(bytes);
    EXPECT_EQ(r.ReadIdent(), "False");
    EXPECT_EQ(r.ReadIdent(), "True");
    EXPECT_EQ(r.ReadIdent(), "nil");
    EXPECT_EQ(r.ReadIdent(), "clRed");
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_FALSE(r.ReadBoolean());
    r.ReadListBegin();
    EXPECT_TRUE(r.EndOfList());
    r.ReadListEnd();
    EXPECT_EQ(r.ReadChar(), QLatin1Char('Z'));
    EXPECT_TRUE(r.AtEnd());
    EXPECT_FALSE(r.EndOfList());
}

TEST(ValueWriter, BinarySetAndBareStrings)
{
    const QByteArray bytes = Written([](ValueWriter& w) {
        w.WriteBinary(Hex("00ff10"));
        w.WriteSet({});
        w.WriteSet({"fsBold", "fsUnderline"});
        w.WriteStr(QString(300, QLatin1Char('n')));
    });
    EXPECT_EQ(bytes.left(8 + 2).toHex(), "0a0300000000ff10" "0b00");
    ValueReader r(bytes);
    EXPECT_EQ(r.ReadBinary(), Hex("00ff10"));
    EXPECT_TRUE(r.ReadSet().isEmpty());
    EXPECT_EQ(r.ReadSet(), QStringList({"fsBold", "fsUnderline"}));
    EXPECT_EQ(r.ReadStr(), QString(255, QLatin1Char('n')));  // cut to 255
    EXPECT_TRUE(r.AtEnd());
}

TEST(ExtendedFloat, KnownBytePatterns)
{
    const struct {
        double value;
        const char* bytes;
    } cases[] = {
        {0.0, "00000000000000000000"},
        {1.0, "0000000000000080ff3f"},
        {0.25, "0000000000000080fd3f"},
        {-2.5, "00000000000000a000c0"},
        {0.1, "00d0cccccccccccc fb3f"},  // the double nearest 0.1, exactly
        {5e-324, "0000000000000080 cd3b"},  // smallest denormal: 2^-1074
        {DBL_MAX, "00f8ffffffffffff fe43"},
    };
    for (const auto& c : cases) {
        const QByteArray expected = QByteArray::fromHex(QByteArray(c.bytes).replace(' ', ""));
        const Extended80 e = DoubleToExtended(c.value);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(e.data()), 10).toHex(), expected.toHex())
            << c.value;
        EXPECT_EQ(ExtendedToDouble(e), c.value);
    }
}

TEST(ExtendedFloat, ReadingRoundsToNearestEven)
{
    // 0.1 in full extended precision rounds to the double 0.1.
    EXPECT_EQ(ExtendedToDouble(Extended80{0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F}), 0.1);
    // 1 + 2^-53 is a tie and goes to the even 1.0; one more unit goes up.
    EXPECT_EQ(ExtendedToDouble(Extended80{0x00, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}), 1.0);
    EXPECT_EQ(ExtendedToDouble(Extended80{0x01, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}),
              1.0 + DBL_EPSILON);
    // 1 + 3 * 2^-53 is a tie and goes to the even 1 + 2^-51.
    EXPECT_EQ(ExtendedToDouble(Extended80{0x00, 0x0C, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}),
              1.0 + 2 * DBL_EPSILON);
    // Beyond the double range: infinity; far below: signed zero.
    EXPECT_EQ(ExtendedToDouble(Extended80{0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x44}),
              std::numeric_limits<double>::infinity());
    const double tiny = ExtendedToDouble(Extended80{0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x80});
    EXPECT_EQ(tiny, 0.0);
    EXPECT_TRUE(std::signbit(tiny));
    // Exactly half the smallest denormal is a tie to zero; a bit more rounds up.
    EXPECT_EQ(ExtendedToDouble(Extended80{0, 0, 0, 0, 0, 0, 0, 0x80, 0xCC, 0x3B}), 0.0);
    EXPECT_EQ(ExtendedToDouble(Extended80{1, 0, 0, 0, 0, 0, 0, 0x80, 0xCC, 0x3B}), 5e-324);
    // Infinity, NaN and an unnormal (integer bit clear) read by value.
    EXPECT_EQ(ExtendedToDouble(DoubleToExtended(-HUGE_VAL)), -HUGE_VAL);
    EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")))));
    EXPECT_EQ(ExtendedToDouble(Extended80{0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F}), 0.5);
}

#if defined(__x86_64__) || defined(__i386__)
// The x87 long double is the same 80-bit format: compare against the hardware.
TEST(ExtendedFloat, MatchesTheX87FormatBothWays)
{
    static_assert(LDBL_MANT_DIG == 64);
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 20000; ++i) {
        quint64 bits = random();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isnan(d))
            continue;
        const long double ld = d;
        Extended80 hw{};
        std::memcpy(hw.data(), &ld, 10);
        ASSERT_EQ(DoubleToExtended(d), hw) << d;

        // Arbitrary extended values whose exponent lies around the double range.
        Extended80 e{};
        quint64 m = random() | (quint64(1) << 63);
        std::memcpy(e.data(), &m, 8);
        const int exponent = 16383 - 1100 + int(random() % 2200);
        e[8] = quint8(exponent);
        e[9] = quint8((exponent >> 8) | ((random() & 1) ? 0x80 : 0));
        long double x;
        std::memset(&x, 0, sizeof x);
        std::memcpy(&x, e.data(), 10);
        ASSERT_EQ(ExtendedToDouble(e), double(x)) << double(x);
    }
}
#endif

TEST(ValueReader, RejectsAValueOfTheWrongKind)
{
    const QString invalid = QStringLiteral("Invalid property value");
    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("060141")).ReadInteger(); }), invalid);
    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("0203")).ReadString(); }), invalid);
    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("060141")).ReadFloat(); }), invalid);
    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("060141")).ReadIdent(); }), invalid);
    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("0602414243")).ReadChar(); }), invalid);
    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("0600")).ReadBinary(); }), invalid);
    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("0600")).ReadSet(); }), invalid);
    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("00")).ReadListBegin(); }), invalid);
    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("54504631")).ReadSignature(); }),
              QStringLiteral("Invalid stream format"));

    // A float reads integers too; a boolean is true only for tag 9.
    EXPECT_EQ(ValueReader(Hex("03e803")).ReadFloat(), 1000.0);
    EXPECT_FALSE(ValueReader(Hex("0601")).ReadBoolean());
}

TEST(ValueReader, ListMarkersSkipTheUnexpectedValueBeforeFailing)
{
    // A list begin where a list end belongs: the whole list goes, then the error.
    ValueReader r(Hex("01" "0203" "0603616263" "01" "00" "00" "027b"));
    EXPECT_EQ(ErrorOf([&] { r.ReadListEnd(); }), QStringLiteral("Invalid property value"));
    EXPECT_EQ(r.ReadInteger(), 123);

    ValueReader r2(Hex("0a02000000abcd" "01"));
    EXPECT_EQ(ErrorOf([&] { r2.ReadListBegin(); }), QStringLiteral("Invalid property value"));
    r2.ReadListBegin();
}

TEST(ValueReader, SkipsEveryKindOfValue)
{
    const QByteArray values = Written([](ValueWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(1);
        w.WriteInteger(1000);
        w.WriteInteger(100000);
        w.WriteFloat(2.5);
        w.WriteString("short");
        w.WriteString(QString(300, QLatin1Char('L')));
        w.WriteIdent("clRed");
        w.WriteBoolean(false);
        w.WriteBoolean(true);
        w.WriteNil();
        w.WriteBinary(QByteArray(40, 'b'));
        w.WriteSet({"a", "bc"});
        w.WriteListBegin();
        w.WriteListEnd();
        w.WriteListEnd();
    });
    // A collection of two items, the first with an order index.
    const QByteArray collection = Hex("0e" "0205" "01" "04466f6f31" "0201" "00" "01" "00" "00");
    ValueReader r(values + collection + Hex("0207"));
    r.SkipValue();
    EXPECT_EQ(r.Position(), values.size());
    r.SkipValue();
    EXPECT_EQ(r.ReadInteger(), 7);

    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("0f00")).SkipValue(); }),
              QStringLiteral("Invalid stream format"));
}

TEST(ValueReader, LengthsBeyondTheDataAreReadErrors)
{
    const QString readError = QStringLiteral("Stream read error");
    // A binary that claims 2 GB, then one that claims 4 GB - 1, in a 1 KB buffer.
    QByteArray big = Hex("0a00000080") + QByteArray(1024, 'x');
    EXPECT_EQ(ErrorOf([&] { ValueReader(big).ReadBinary(); }), readError);
    EXPECT_EQ(ErrorOf([&] { ValueReader(big).SkipValue(); }), readError);
    big[0] = 12;  // long string
    EXPECT_EQ(ErrorOf([&] { ValueReader(big).ReadString(); }), readError);
    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("0affffffff00")).ReadBinary(); }), readError);
    EXPECT_EQ(ErrorOf([] { ValueReader(Hex("06ff41")).ReadString(); }), readError);
    EXPECT_EQ(ErrorOf([] { ValueReader(QByteArray()).NextValue(); }), readError);
}

TEST(ValueReader, EveryTruncationOfAValueIsAReadError)
{
    const QByteArray values = Written([](ValueWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(-5);
        w.WriteInteger(-1000);
        w.WriteInteger(1 << 20);
        w.WriteFloat(0.1);
        w.WriteString("abc");
        w.WriteString(QString(260, QLatin1Char('z')));
        w.WriteIdent("fsBold");
        w.WriteBinary("xyz");
        w.WriteSet({"fsBold"});
        w.WriteListEnd();
    });
    for (qsizetype cut = 0; cut < values.size(); ++cut) {
        ValueReader skipper(values.left(cut));
        EXPECT_EQ(ErrorOf([&] { skipper.SkipValue(); }), QStringLiteral("Stream read error")) << cut;
        ValueReader reader(values.left(cut));
        EXPECT_THROW(
            {
                reader.ReadListBegin();
                reader.ReadInteger();
                reader.ReadInteger();
                reader.ReadInteger();
                reader.ReadFloat();
                reader.ReadString();
                reader.ReadString();
                reader.ReadIdent();
                reader.ReadBinary();
                reader.ReadSet();
                reader.ReadListEnd();
            },
            ReadError)
            << cut;
    }
}

TEST(ValueReader, NestingIsBounded)
{
    const auto nested = [](int depth) {
        return QByteArray(depth, '\x01') + QByteArray(depth, '\x00');
    };
    ValueReader ok(nested(kMaxStreamNesting));
    ok.SkipValue();
    EXPECT_TRUE(ok.AtEnd());
    EXPECT_EQ(ErrorOf([&] { ValueReader(nested(64)).SkipValue(); }),
              QStringLiteral("Invalid stream format"));
    // The same through the list-marker check, which skips before failing.
    EXPECT_EQ(ErrorOf([&] { ValueReader(nested(3)).ReadListEnd(); }),
              QStringLiteral("Invalid property value"));
    EXPECT_EQ(ErrorOf([&] { ValueReader(nested(64)).ReadListEnd(); }),
              QStringLiteral("Invalid stream format"));
    QByteArray collections;
    for (int i = 0; i < 64; ++i)
        collections += Hex("0e01" "0444617461");  // collection, item, "Data" = ...
    EXPECT_EQ(ErrorOf([&] { ValueReader(collections).SkipValue(); }),
              QStringLiteral("Invalid stream format"));
}

TEST(ValueStreams, DevicesGetTheSameBytesAsArrays)
{
    const auto writeAll = [](ValueWriter& w) {
        for (int i = 0; i < 300; ++i) {
            w.WriteInteger(i * 977);
            w.WriteString(QString(i % 7, QLatin1Char('s')));
        }
        w.WriteBinary(QByteArray(3000, 'B'));
        w.WriteFloat(-1.5);
    };
    QByteArray expected;
    {
        ValueWriter w(&expected);
        writeAll(w);
    }
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    {
        ValueWriter w(&buffer);
        writeAll(w);
        w.Flush();
        EXPECT_EQ(w.Position(), expected.size());
    }
    EXPECT_EQ(buffer.data(), expected);

    // The reader puts a seekable device back behind what it consumed.
    buffer.seek(0);
    {
        ValueReader r(&buffer);
        EXPECT_EQ(r.ReadInteger(), 0);
        EXPECT_EQ(r.ReadString(), QString());
    }
    EXPECT_EQ(buffer.pos(), 4);

    // A device that refuses the bytes is reported by Flush().
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    ValueWriter w(&readOnly);
    w.WriteInteger(1);
    EXPECT_ANY_THROW(w.Flush());
}

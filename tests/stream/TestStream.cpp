// The component stream: value encoding byte for byte, component records, published properties,
// damaged input and file errors.

#include "TestComponents.h"

#include "platform/MervaneError.h"
#include "stream/ClassRegistry.h"
#include "stream/Reader.h"
#include "stream/StreamFile.h"
#include "stream/Writer.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

// Bytes written by `write` into memory.
QByteArray Written(const std::function<void(TWriter&)>& write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter writer(buffer);
    write(writer);
    writer.FlushBuffer();
    return bytes;
}

// A short string: length byte + characters.
QByteArray Str(const QByteArray& text)
{
    return char(text.size()) + text;
}

// The error text `read` raises on `bytes`; empty when it raises none.
QString ReadError(const QByteArray& bytes, const std::function<void(TReader&)>& read)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    try {
        read(reader);
    } catch (const EMervaneError& error) {
        return error.Message();
    }
    return {};
}

// A device that accepts `capacity` bytes and refuses the rest, recording each write's size.
class TFailingDevice : public QIODevice {
public:
    explicit TFailingDevice(qint64 capacity)
        : m_Capacity(capacity)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    QList<qint64> WriteSizes;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        WriteSizes += size;
        if (m_Written + size > m_Capacity)
            return -1;
        m_Written += size;
        return size;
    }

private:
    qint64 m_Capacity;
    qint64 m_Written = 0;
};

// The record of a TTestComponent named "Test1" with the given property bytes.
QByteArray TestRecord(const QByteArray& properties)
{
    return "TPF0" + Str("TTestComponent") + Str("Test1") + properties + QByteArray(2, vaNull);
}

} // namespace

class TestStream : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void IntegersTakeTheSmallestCode_data();
    void IntegersTakeTheSmallestCode();
    void StringsChooseTheirCode_data();
    void StringsChooseTheirCode();
    void IdentsFoldFalseTrueNil_data();
    void IdentsFoldFalseTrueNil();
    void ExtendedFloatsAreExact();
    void ExtendedFloatsRoundTrip_data();
    void ExtendedFloatsRoundTrip();
    void ReadBooleanIsTrueOnlyForVaTrue_data();
    void ReadBooleanIsTrueOnlyForVaTrue();
    void LaterCodesAreRead();
    void SkipValuePassesEveryKind();

    void EmptyCellRecordIsTwentyOneBytes();
    void CellTextIsOneBinaryProperty();
    void DefaultsAndStoredRulesDecideWhatIsWritten();
    void EveryPropertyKindRoundTrips();
    void RoundTripThroughAFile();
    void CreatedObjectsGetOwnerParentAndLoaded();
    void OwnerFindsComponentsByTheirCurrentName();
    void ObjectFailingInLoadedIsFreed();
    void SetNameHookRenamesObjects();
    void ExistingObjectNameIsMadeUnique();
    void UnknownMethodIsAnErrorUnlessTheHookForgivesIt();
    void ChildRecordsRoundTrip();

    void DamagedInputGivesItsError_data();
    void DamagedInputGivesItsError();
    void RecordCutAnywhereIsAReadError();
    void FailedObjectIsFreed();

    void FontStreamsAsFilesCarryIt();
    void FontReadsSize_data();
    void FontReadsSize();

    void WriterBuffersAThousandBytes();
    void RefusedWriteIsAWriteError();
    void FileErrorsNameTheFile();
    void FailedFileWriteKeepsTheOldFile();
};

void TestStream::initTestCase()
{
    RegisterClass<TTestComponent>("TTestComponent");
}

void TestStream::IntegersTakeTheSmallestCode_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("-128") << qint64(-128) << QByteArray::fromHex("0280");
    QTest::newRow("127") << qint64(127) << QByteArray::fromHex("027f");
    QTest::newRow("-129") << qint64(-129) << QByteArray::fromHex("037fff");
    QTest::newRow("32767") << qint64(32767) << QByteArray::fromHex("03ff7f");
    QTest::newRow("-32769") << qint64(-32769) << QByteArray::fromHex("04ff7fffff");
    QTest::newRow("32768") << qint64(32768) << QByteArray::fromHex("0400800000");
    QTest::newRow("int32 min") << qint64(INT32_MIN) << QByteArray::fromHex("0400000080");
}

void TestStream::IntegersTakeTheSmallestCode()
{
    QFETCH(qint64, value);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Written([&](TWriter& w) { w.WriteInteger(value); }).toHex(), bytes.toHex());

    qint32 read = 0;
    QCOMPARE(ReadError(bytes, [&](TReader& r) { read = r.ReadInteger(); }), QString());
    QCOMPARE(read, value);
}

void TestStream::StringsChooseTheirCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("head"); // value code and length
    QTest::addColumn<int>("size");
    QTest::newRow("empty") << QString() << QByteArray::fromHex("0600") << 2;
    QTest::newRow("255") << QString(255, 'x') << QByteArray::fromHex("06ff") << 257;
    QTest::newRow("256") << QString(256, 'x') << QByteArray::fromHex("0c00010000") << 261;
    QTest::newRow("windows-1252") << QString("5 \u20AC caf\u00E9") << QByteArray::fromHex("0608") << 10;
    QTest::newRow("beyond 1252") << QString("\u0141\u00F3d\u017A") << QByteArray::fromHex("1407000000") << 12;
}

void TestStream::StringsChooseTheirCode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, head);
    QFETCH(int, size);
    const QByteArray bytes = Written([&](TWriter& w) { w.WriteString(text); });
    QCOMPARE(bytes.left(head.size()).toHex(), head.toHex());
    QCOMPARE(bytes.size(), size);

    QString read;
    QCOMPARE(ReadError(bytes, [&](TReader& r) { read = r.ReadString(); }), QString());
    QCOMPARE(read, text);
}

void TestStream::IdentsFoldFalseTrueNil_data()
{
    QTest::addColumn<QString>("ident");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("false") << "false" << QByteArray::fromHex("08");
    QTest::newRow("TRUE") << "TRUE" << QByteArray::fromHex("09");
    QTest::newRow("Nil") << "Nil" << QByteArray::fromHex("0d");
    QTest::newRow("clRed") << "clRed"
                           << QByteArray("\x07\x05"
                                         "clRed");
}

void TestStream::IdentsFoldFalseTrueNil()
{
    QFETCH(QString, ident);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Written([&](TWriter& w) { w.WriteIdent(ident); }).toHex(), bytes.toHex());
    QString read;
    QCOMPARE(ReadError(bytes, [&](TReader& r) { read = r.ReadIdent(); }), QString());
    QCOMPARE(read.toLower(), ident.toLower());
}

void TestStream::ExtendedFloatsAreExact()
{
    QCOMPARE(Written([](TWriter& w) { w.WriteFloat(1.0); }).toHex(), QByteArray("050000000000000080ff3f"));
    QCOMPARE(Written([](TWriter& w) { w.WriteFloat(100.0); }).toHex(), QByteArray("0500000000000000c80540"));
    QCOMPARE(Written([](TWriter& w) { w.WriteFloat(-2.5); }).toHex(), QByteArray("0500000000000000a000c0"));
    QCOMPARE(Written([](TWriter& w) { w.WriteFloat(0.0); }).toHex(), QByteArray("0500000000000000000000"));
}

void TestStream::ExtendedFloatsRoundTrip_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("0.1") << 0.1;
    QTest::newRow("-123.456") << -123.456;
    QTest::newRow("1e300") << 1e300;
    QTest::newRow("smallest normal") << 2.2250738585072014e-308;
    QTest::newRow("subnormal") << 5e-324;
    QTest::newRow("infinity") << HUGE_VAL;
    QTest::newRow("-infinity") << -HUGE_VAL;
}

void TestStream::ExtendedFloatsRoundTrip()
{
    QFETCH(double, value);
    double read = 0;
    QCOMPARE(ReadError(Written([&](TWriter& w) { w.WriteFloat(value); }), [&](TReader& r) { read = r.ReadFloat(); }),
             QString());
    QCOMPARE(read, value);

    const QByteArray nan = Written([](TWriter& w) { w.WriteFloat(std::nan("")); });
    QCOMPARE(ReadError(nan, [&](TReader& r) { read = r.ReadFloat(); }), QString());
    QVERIFY(std::isnan(read));
}

void TestStream::ReadBooleanIsTrueOnlyForVaTrue_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("expected");
    QTest::newRow("vaTrue") << 9 << true;
    QTest::newRow("vaFalse") << 8 << false;
    QTest::newRow("vaInt8") << 2 << false;
    QTest::newRow("vaNull") << 0 << false;
    QTest::newRow("255") << 255 << false;
}

void TestStream::ReadBooleanIsTrueOnlyForVaTrue()
{
    QFETCH(int, code);
    QFETCH(bool, expected);
    // The byte after the Boolean is read next: ReadBoolean consumed exactly one.
    const QByteArray bytes = QByteArray(1, char(code)) + QByteArray::fromHex("0205");
    bool value = !expected;
    qint32 next = 0;
    QCOMPARE(ReadError(bytes,
                       [&](TReader& r) {
                           value = r.ReadBoolean();
                           next = r.ReadInteger();
                       }),
             QString());
    QCOMPARE(value, expected);
    QCOMPARE(next, 5);
}

void TestStream::LaterCodesAreRead()
{
    QString text;
    QCOMPARE(ReadError(QByteArray::fromHex("1202000000") + QByteArray("A\0\xAC\x20", 4),
                       [&](TReader& r) { text = r.ReadString(); }),
             QString());
    QCOMPARE(text, QString("A\u20AC"));

    double single = 0, currency = 0;
    QCOMPARE(ReadError(QByteArray::fromHex("0f0000c03f") + QByteArray::fromHex("10a086010000000000"),
                       [&](TReader& r) {
                           single = r.ReadFloat();
                           currency = r.ReadFloat();
                       }),
             QString());
    QCOMPARE(single, 1.5);
    QCOMPARE(currency, 10.0);

    qint64 big = 0;
    QCOMPARE(ReadError(QByteArray::fromHex("130000000001000000"), [&](TReader& r) { big = r.ReadInt64(); }), QString());
    QCOMPARE(big, qint64(1) << 32);
}

void TestStream::SkipValuePassesEveryKind()
{
    const QByteArray values = Written([](TWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(70000);
        w.WriteFloat(2.5);
        w.WriteString(QString(300, 'y'));
        w.WriteString("\u0141");
        w.WriteIdent("clBlue");
        w.WriteBoolean(true);
        w.WriteBinary("abc");
        w.WriteSet({"fsBold", "fsItalic"});
        w.WriteListEnd();
        w.WriteValue(vaCollection);
        w.WriteListBegin();
        w.WriteStr("Width");
        w.WriteInteger(5);
        w.WriteListEnd();
        w.WriteListEnd();
        w.WriteInteger(42);
    });
    qint32 after = 0;
    QCOMPARE(ReadError(values,
                       [&](TReader& r) {
                           r.SkipValue();
                           r.SkipValue();
                           after = r.ReadInteger();
                       }),
             QString());
    QCOMPARE(after, 42);
}

void TestStream::EmptyCellRecordIsTwentyOneBytes()
{
    TTestCellStorage cell(nullptr);
    const QByteArray bytes = Written([&](TWriter& w) { w.WriteRootComponent(cell); });
    QCOMPARE(bytes, QByteArray("TPF0\x0dTWPRtfStorage\0\0\0", 21));
}

void TestStream::CellTextIsOneBinaryProperty()
{
    TTestCellStorage cell(nullptr);
    cell.RtfText.Data = QByteArray("{\\rtf1 Hi}") + QByteArray(4, '\0');
    const QByteArray bytes = Written([&](TWriter& w) { w.WriteRootComponent(cell); });
    const QByteArray expected = "TPF0" + Str("TWPRtfStorage") + QByteArray(1, '\0') + Str("RtfText.Data") +
                                QByteArray::fromHex("0a0e000000") + cell.RtfText.Data + QByteArray(2, '\0');
    QCOMPARE(bytes.toHex(), expected.toHex());

    TTestCellStorage read(nullptr);
    QCOMPARE(ReadError(bytes, [&](TReader& r) { r.ReadRootComponent(read); }), QString());
    QCOMPARE(read.RtfText.Data, cell.RtfText.Data);

    // Clearing the text leaves no property at all.
    cell.RtfText.Data.clear();
    QCOMPARE(Written([&](TWriter& w) { w.WriteRootComponent(cell); }).size(), 21);
}

void TestStream::DefaultsAndStoredRulesDecideWhatIsWritten()
{
    TTestComponent object(nullptr);
    object.SetName("Test1");
    object.Font.SetName("Arial");
    const QByteArray bytes = Written([&](TWriter& w) { w.WriteRootComponent(object); });

    // Count 0, Shape tsSquare, Options [], Visible True and Cursor crDefault are defaults;
    // Ratio 0, an empty Caption, an empty Data block and an unassigned event are not written.
    const QByteArray expected =
        "TPF0" + Str("TTestComponent") + Str("Test1") + Str("Number") + QByteArray::fromHex("0200") + Str("Paint") +
        "\x07" + Str("clRed") + Str("Ink") + QByteArray::fromHex("0456341200") + Str("Letter") +
        QByteArray::fromHex("0601") + "A" + Str("Font.Charset") + "\x07" + Str("DEFAULT_CHARSET") + Str("Font.Color") +
        "\x07" + Str("clWindowText") + Str("Font.Height") + QByteArray::fromHex("02f5") + Str("Font.Name") + "\x06" +
        Str("Arial") + Str("Font.Style") + QByteArray::fromHex("0b00") + QByteArray(2, '\0');
    QCOMPARE(bytes.toHex(), expected.toHex());
}

void TestStream::EveryPropertyKindRoundTrips()
{
    TTestOwner owner;
    TTestComponent source(&owner);
    source.SetName("Test1");
    source.Count = -5;
    source.Number = 100000;
    source.Shape = tsTriangle;
    source.Options = (1 << toBold) | (1 << toShaded);
    source.Visible = false;
    source.Paint = clBtnFace;
    source.Ink = TColor(0x00ABCDEF);
    source.Cursor = -21;
    source.Letter = QChar(0x20AC);
    source.Ratio = 0.75;
    source.Caption = "Mother's Day \u2764";
    source.Font.SetName("Times New Roman");
    source.Font.SetSize(12);
    source.Font.SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsUnderline));
    source.Font.SetColor(clNavy);
    source.Data = QByteArray("\x00\x01\x02\xff", 4);
    source.OnClickName = "ButtonClick";

    QByteArray bytes = Written([&](TWriter& w) {
        w.WriteListBegin();
        w.WriteRootComponent(source);
        w.WriteListEnd();
    });

    TTestOwner readOwner;
    TTestComponent* read = nullptr;
    QCOMPARE(ReadError(bytes,
                       [&](TReader& r) {
                           r.ReadListBegin();
                           r.ReadComponents(&readOwner, nullptr,
                                            [&](TComponent* c) { read = dynamic_cast<TTestComponent*>(c); });
                           r.ReadListEnd();
                       }),
             QString());
    QVERIFY(read);
    QCOMPARE(read->Name(), QString("Test1"));
    QCOMPARE(read->Count, -5);
    QCOMPARE(read->Number, 100000);
    QCOMPARE(read->Shape, tsTriangle);
    QCOMPARE(read->Options, source.Options);
    QCOMPARE(read->Visible, false);
    QCOMPARE(read->Paint, clBtnFace);
    QCOMPARE(read->Ink, TColor(0x00ABCDEF));
    QCOMPARE(read->Cursor, -21);
    QCOMPARE(read->Letter, QChar(0x20AC));
    QCOMPARE(read->Ratio, 0.75);
    QCOMPARE(read->Caption, source.Caption);
    QVERIFY(read->Font == source.Font);
    QCOMPARE(read->Font.Size(), 12);
    QCOMPARE(read->Data, source.Data);
    QCOMPARE(read->OnClickName, QString("ButtonClick"));
    QVERIFY(read->OnClick);
    read->OnClick(read);
    QCOMPARE(readOwner.Clicks, 1);

    // Writing what was read gives the same bytes.
    QCOMPARE(Written([&](TWriter& w) {
                 w.WriteListBegin();
                 w.WriteRootComponent(*read);
                 w.WriteListEnd();
             }).toHex(),
             bytes.toHex());
}

void TestStream::RoundTripThroughAFile()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("objects.tmp");
    TTestOwner owner;
    TTestComponent source(&owner);
    source.SetName("Big");
    source.Caption = QString(5000, 'c'); // more than the buffer holds
    source.Data = QByteArray(3000, 'd');
    source.Shape = tsCircle;
    WriteStreamFile(fileName, [&](TWriter& w) { w.WriteRootComponent(source); });

    TTestComponent read(nullptr);
    ReadStreamFile(fileName, [&](TReader& r) { r.ReadRootComponent(read); });
    QCOMPARE(read.Name(), QString("Big"));
    QCOMPARE(read.Caption, source.Caption);
    QCOMPARE(read.Data, source.Data);
    QCOMPARE(read.Shape, tsCircle);
}

void TestStream::OwnerFindsComponentsByTheirCurrentName()
{
    TTestComponent owner(nullptr);
    auto* first = new TTestComponent(&owner);
    auto* second = new TTestComponent(&owner);
    auto* third = new TTestComponent(&owner);
    QCOMPARE(owner.FindComponent(""), nullptr); // unnamed components are never found
    first->SetName("Straße");
    second->SetName("Label");
    third->SetName("LABEL");
    QCOMPARE(owner.FindComponent("STRASSE"), nullptr); // one character against two is no match
    QCOMPARE(owner.FindComponent("straße"), first);
    QCOMPARE(owner.FindComponent("label"), second); // of equal names the first owned answers
    second->SetName("Other");
    QCOMPARE(owner.FindComponent("label"), third);
    QCOMPARE(owner.FindComponent("OTHER"), second);
    delete third;
    QCOMPARE(owner.FindComponent("label"), nullptr);
    third = new TTestComponent(&owner);
    third->SetName("Label");
    first->SetName("label");
    QCOMPARE(owner.FindComponent("Label"), first); // order of ownership, not of naming
    QCOMPARE(owner.FindComponent("Straße"), nullptr);
}

void TestStream::CreatedObjectsGetOwnerParentAndLoaded()
{
    TTestComponent parent(nullptr);
    TTestComponent a(nullptr), b(nullptr);
    a.SetName("A");
    b.SetName("B");
    const QByteArray bytes = Written([&](TWriter& w) {
        w.WriteRootComponent(a);
        w.WriteRootComponent(b);
        w.WriteListEnd();
    });

    TTestOwner owner;
    QList<TComponent*> read;
    QCOMPARE(
        ReadError(bytes, [&](TReader& r) { r.ReadComponents(&owner, &parent, [&](TComponent* c) { read += c; }); }),
        QString());
    QCOMPARE(read.size(), 2);
    QCOMPARE(owner.Components(), read);
    for (TComponent* component : read) {
        auto* object = dynamic_cast<TTestComponent*>(component);
        QCOMPARE(object->Owner(), &owner);
        QCOMPARE(object->Parent, &parent);
        QCOMPARE(object->LoadedCalls, 1);
        QCOMPARE(object->StateAtLoaded, int(csLoading)); // reading is over when Loaded runs
        QCOMPARE(object->ComponentState(), 0);
    }
    QCOMPARE(owner.FindComponent("b"), read[1]);
}

void TestStream::ObjectFailingInLoadedIsFreed()
{
    TTestComponent a(nullptr), b(nullptr), c(nullptr);
    a.SetName("A");
    b.SetName("B");
    b.Caption = TTestComponent::FailInLoaded;
    c.SetName("C");
    const QByteArray bytes = Written([&](TWriter& w) {
        w.WriteRootComponent(a);
        w.WriteRootComponent(b);
        w.WriteRootComponent(c);
        w.WriteListEnd();
    });

    TTestOwner owner;
    TTestComponent parent(nullptr);
    QList<TComponent*> read;
    QCOMPARE(
        ReadError(bytes, [&](TReader& r) { r.ReadComponents(&owner, &parent, [&](TComponent* c) { read += c; }); }),
        QString("Cannot finish loading"));
    // The objects before stay; the failing one is not left behind with its owner.
    QCOMPARE(read.size(), 1);
    QCOMPARE(owner.Components(), read);
    QCOMPARE(read.first()->Name(), QString("A"));
}

void TestStream::SetNameHookRenamesObjects()
{
    TTestComponent stored(nullptr);
    stored.SetName("Component0");
    const QByteArray bytes = Written([&](TWriter& w) {
        w.WriteRootComponent(stored);
        w.WriteListEnd();
    });

    TTestOwner owner;
    TTestComponent existing(&owner);
    existing.SetName("Component0");
    QCOMPARE(ReadError(bytes,
                       [&](TReader& r) {
                           r.OnSetName = [&](TReader&, TComponent&, QString& name) {
                               for (int n = 0; n <= 1000; ++n) {
                                   if (!owner.FindComponent(QString("Component%1").arg(n))) {
                                       name = QString("Component%1").arg(n);
                                       return;
                                   }
                               }
                           };
                           r.ReadComponents(&owner, nullptr, nullptr);
                       }),
             QString());
    QCOMPARE(owner.Components().size(), 2);
    QCOMPARE(owner.Components().last()->Name(), QString("Component1"));

    // Without the hook, a name the owner already holds is refused.
    TTestOwner other;
    TTestComponent clash(&other);
    clash.SetName("Component0");
    QCOMPARE(ReadError(bytes, [&](TReader& r) { r.ReadComponents(&other, nullptr, nullptr); }),
             QString("A component named Component0 already exists"));
    QCOMPARE(other.Components().size(), 1);
}

void TestStream::ExistingObjectNameIsMadeUnique()
{
    TTestComponent stored(nullptr);
    stored.SetName("Label");
    const QByteArray bytes = Written([&](TWriter& w) { w.WriteRootComponent(stored); });

    TTestOwner owner;
    TTestComponent holder(&owner), target(&owner);
    holder.SetName("Label");
    QCOMPARE(ReadError(bytes, [&](TReader& r) { r.ReadRootComponent(target); }), QString());
    QCOMPARE(target.Name(), QString("Label_1"));
}

void TestStream::UnknownMethodIsAnErrorUnlessTheHookForgivesIt()
{
    const QByteArray bytes = TestRecord(Str("OnClick") + "\x07" + Str("GoneHandler"));

    TTestOwner owner;
    TTestComponent target(&owner);
    QCOMPARE(ReadError(bytes, [&](TReader& r) { r.ReadRootComponent(target); }), QString("Invalid property value"));

    QString asked;
    TTestComponent forgiven(&owner);
    QCOMPARE(ReadError(bytes,
                       [&](TReader& r) {
                           r.OnFindMethod = [&](TReader&, const QString& name, bool& error) {
                               asked = name;
                               error = false;
                           };
                           r.ReadRootComponent(forgiven);
                       }),
             QString());
    QCOMPARE(asked, QString("GoneHandler"));
    QVERIFY(forgiven.OnClickName.isEmpty());
    QVERIFY(!forgiven.OnClick);
}

void TestStream::ChildRecordsRoundTrip()
{
    TTestComponent root(nullptr), child(nullptr);
    root.SetName("Root");
    child.SetName("Child");
    child.Count = 7;
    root.Children = {&child};
    const QByteArray bytes = Written([&](TWriter& w) {
        w.WriteRootComponent(root);
        w.WriteListEnd();
    });
    // The child record follows the root's properties without a signature.
    QVERIFY(bytes.contains(QByteArray(1, '\0') + Str("TTestComponent") + Str("Child")));
    QCOMPARE(bytes.count("TPF0"), 1);

    TTestOwner owner;
    QCOMPARE(ReadError(bytes, [&](TReader& r) { r.ReadComponents(&owner, nullptr, nullptr); }), QString());
    QCOMPARE(owner.Components().size(), 2);
    auto* readRoot = dynamic_cast<TTestComponent*>(owner.FindComponent("Root"));
    auto* readChild = dynamic_cast<TTestComponent*>(owner.FindComponent("Child"));
    QVERIFY(readRoot && readChild);
    QCOMPARE(readChild->Parent, readRoot);
    QCOMPARE(readChild->Count, 7);
    QCOMPARE(readChild->LoadedCalls, 1);
}

void TestStream::DamagedInputGivesItsError_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");

    const QByteArray count = Str("Count");
    QTest::newRow("wrong signature") << ("TPF1" + TestRecord({}).mid(4)) << "Invalid stream format";
    QTest::newRow("string for an integer") << TestRecord(count + "\x06\x01x") << "Invalid property value";
    QTest::newRow("float for an integer")
        << TestRecord(count + Written([](TWriter& w) { w.WriteFloat(1); })) << "Invalid property value";
    QTest::newRow("integer for a string") << TestRecord(Str("Caption") + "\x02\x01") << "Invalid property value";
    QTest::newRow("integer for a set") << TestRecord(Str("Options") + "\x02\x01") << "Invalid property value";
    QTest::newRow("integer for a Boolean") << TestRecord(Str("Visible") + "\x02\x01") << "Invalid property value";
    QTest::newRow("value for a nested object") << TestRecord(Str("Font") + "\x02\x01") << "Invalid property value";
    QTest::newRow("unknown enumeration name")
        << TestRecord(Str("Shape") + "\x07" + Str("tsHexagon")) << "Invalid property value";
    QTest::newRow("unknown set member") << TestRecord(Str("Options") + "\x0b" + Str("toBlinking") + '\0')
                                        << "Invalid property value";
    QTest::newRow("unknown colour name") << TestRecord(Str("Paint") + "\x07" + Str("clMauve"))
                                         << "Invalid property value";
    QTest::newRow("two-character char") << TestRecord(Str("Letter") + "\x06\x02xy") << "Invalid property value";
    QTest::newRow("ambiguous code 21") << TestRecord(Str("Caption") + "\x15" + QByteArray(8, '\0'))
                                       << "Invalid property value";
    QTest::newRow("unknown class") << ("TPF0" + Str("TNoSuchThing") + Str("X") + QByteArray(2, '\0'))
                                   << "Class TNoSuchThing not found";
    QTest::newRow("unknown property") << TestRecord(Str("Colour") + "\x02\x01") << "Property does not exist";
    QTest::newRow("unknown nested property")
        << TestRecord(Str("Font.Weight") + "\x02\x01") << "Property does not exist";
    QTest::newRow("path through a non-object") << TestRecord(Str("Count.Low") + "\x02\x01") << "Invalid property path";
    QTest::newRow("huge string length") << TestRecord(Str("Caption") + QByteArray::fromHex("0cffffff7f") + "abc")
                                        << "Stream read error";
    QTest::newRow("negative string length")
        << TestRecord(Str("Caption") + QByteArray::fromHex("0cfeffffff")) << "Stream read error";
    QTest::newRow("huge binary length") << TestRecord(Str("Data") + QByteArray::fromHex("0a00000080"))
                                        << "Stream read error";
    QTest::newRow("inherited record") << ("TPF0\xF1" + Str("TTestComponent") + Str("X") + QByteArray(2, '\0'))
                                      << "Invalid stream format";
    QTest::newRow("inline record") << ("TPF0\xF4" + Str("TTestComponent") + Str("X") + QByteArray(2, '\0'))
                                   << "Invalid stream format";

    QByteArray nested = "TPF0";
    for (int i = 0; i < 200; ++i)
        nested += Str("TTestComponent") + Str(QByteArray("N") + QByteArray::number(i)) + '\0';
    QTest::newRow("children nested 200 deep") << nested << "Invalid stream format";
    QTest::newRow("empty input") << QByteArray() << "Stream read error";
}

void TestStream::DamagedInputGivesItsError()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    TTestOwner owner;
    QCOMPARE(ReadError(bytes, [&](TReader& r) { r.ReadComponents(&owner, nullptr, nullptr); }), error);
    QVERIFY(owner.Components().isEmpty()); // the object being read is freed
}

void TestStream::RecordCutAnywhereIsAReadError()
{
    TTestComponent source(nullptr);
    source.SetName("Cut");
    source.Count = 300;
    source.Caption = "Caption";
    source.Ratio = 1.5;
    source.Options = 3;
    source.Data = "data";
    source.OnClickName = "ButtonClick";
    const QByteArray bytes = Written([&](TWriter& w) {
        w.WriteRootComponent(source);
        w.WriteListEnd();
    });

    TTestOwner readOwner;
    for (int length = 0; length < bytes.size(); ++length) {
        const QString error =
            ReadError(bytes.left(length), [&](TReader& r) { r.ReadComponents(&readOwner, nullptr, nullptr); });
        QVERIFY2(error == "Stream read error", qPrintable(QString("cut at %1: '%2'").arg(length).arg(error)));
        // Only the complete record, missing just the list's end, survives its read.
        QCOMPARE(readOwner.Components().size(), length == bytes.size() - 1 ? 1 : 0);
        while (!readOwner.Components().isEmpty())
            delete readOwner.Components().last();
    }
    QCOMPARE(ReadError(bytes, [&](TReader& r) { r.ReadComponents(&readOwner, nullptr, nullptr); }), QString());
    QCOMPARE(readOwner.Components().size(), 1);
    QCOMPARE(dynamic_cast<TTestComponent*>(readOwner.Components().first())->Count, 300);
}

void TestStream::FailedObjectIsFreed()
{
    // The first object reads; the second fails half-way and is freed; the first stays.
    TTestComponent good(nullptr);
    good.SetName("Good");
    const QByteArray bytes =
        Written([&](TWriter& w) { w.WriteRootComponent(good); }) + TestRecord(Str("Count") + "\x06\x00");
    TTestOwner owner;
    QCOMPARE(ReadError(bytes, [&](TReader& r) { r.ReadComponents(&owner, nullptr, nullptr); }),
             QString("Invalid property value"));
    QCOMPARE(owner.Components().size(), 1);
    QCOMPARE(owner.Components().first()->Name(), QString("Good"));
}

void TestStream::FontStreamsAsFilesCarryIt()
{
    TTestComponent object(nullptr);
    object.SetName("F");
    object.Font.SetName("Arial");
    object.Font.SetSize(10);
    object.Font.SetPitch(fpVariable);
    object.Font.SetCharset(238);
    object.Font.SetColor(TColor(0xFF00000F)); // the other system colour base
    object.Font.SetStyle(FontStyleBit(fsItalic) | FontStyleBit(fsStrikeOut));
    const QByteArray bytes = Written([&](TWriter& w) { w.WriteRootComponent(object); });
    const QByteArray font = Str("Font.Charset") + "\x07" + Str("EASTEUROPE_CHARSET") + Str("Font.Color") + "\x07" +
                            Str("clBtnFace") + Str("Font.Height") + QByteArray::fromHex("02f3") + Str("Font.Name") +
                            "\x06" + Str("Arial") + Str("Font.Pitch") + "\x07" + Str("fpVariable") + Str("Font.Style") +
                            "\x0b" + Str("fsItalic") + Str("fsStrikeOut") + '\0';
    QVERIFY2(bytes.contains(font), bytes.toHex().constData());
    QVERIFY(!bytes.contains("Font.Size"));

    // A charset without a name is an integer.
    object.Font.SetCharset(99);
    QVERIFY(Written([&](TWriter& w) { w.WriteRootComponent(object); }).contains(Str("Font.Charset") + "\x02\x63"));
}

void TestStream::FontReadsSize_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("height");
    QTest::newRow("8 points") << 8 << -11;
    QTest::newRow("10 points") << 10 << -13;
    QTest::newRow("12 points") << 12 << -16;
    QTest::newRow("20 points") << 20 << -27;
}

void TestStream::FontReadsSize()
{
    QFETCH(int, size);
    QFETCH(int, height);
    TTestComponent target(nullptr);
    QCOMPARE(
        ReadError(TestRecord(Str("Font.Size") + "\x02" + char(size)), [&](TReader& r) { r.ReadRootComponent(target); }),
        QString());
    QCOMPARE(target.Font.Height(), height);
    QCOMPARE(target.Font.Size(), size);
}

void TestStream::WriterBuffersAThousandBytes()
{
    TFailingDevice device(1 << 20);
    TWriter writer(device);
    writer.WriteBinary(QByteArray(2500, 'b'));
    writer.FlushBuffer();
    QCOMPARE(device.WriteSizes, (QList<qint64>{1000, 1000, 505}));
}

void TestStream::RefusedWriteIsAWriteError()
{
    TTestComponent object(nullptr);
    object.Caption = QString(3000, 'x');
    TFailingDevice device(1500);
    QString error;
    try {
        TWriter writer(device);
        writer.WriteRootComponent(object);
        writer.FlushBuffer();
    } catch (const EMervaneError& e) {
        error = e.Message();
    }
    QCOMPARE(error, QString("Stream write error"));
}

void TestStream::FileErrorsNameTheFile()
{
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath("no/such/folder/x.MVF");
    const QString missingFile = dir.filePath("absent.MVF");
    QString error;
    try {
        WriteStreamFile(missingFolder, [](TWriter& w) { w.WriteInteger(1); });
    } catch (const EMervaneError& e) {
        error = e.Message();
    }
    QCOMPARE(error, "Cannot create file " + missingFolder);
    try {
        ReadStreamFile(missingFile, [](TReader& r) { r.ReadInteger(); });
    } catch (const EMervaneError& e) {
        error = e.Message();
    }
    QCOMPARE(error, "Cannot open file " + missingFile);
}

void TestStream::FailedFileWriteKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("keep.MVF");
    WriteStreamFile(fileName, [](TWriter& w) { w.WriteString("old contents"); });
    const QByteArray before = [&] {
        QFile f(fileName);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    QVERIFY_THROWS_EXCEPTION(EMervaneError, WriteStreamFile(fileName, [](TWriter& w) {
                                 w.WriteString(QString(5000, 'n'));
                                 throw EMervaneError("Stream write error");
                             }));
    QFile after(fileName);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.MVF"});
}

QTEST_GUILESS_MAIN(TestStream)
#include "TestStream.moc"

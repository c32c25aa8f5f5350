// CText through our archive: the exact bytes of the classic framework's
// layout, round trips, and archives that are damaged or name other classes.

#include "Pipe.h"

#include "archive/CArchive.h"
#include "archive/CText.h"

#include <QBuffer>
#include <QTest>

#include <memory>

namespace {

QByteArray store(const QList<const CObject *> &objects)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    for (const CObject *object : objects)
        ar.WriteObject(object);
    return buffer.data();
}

CText text(const QByteArray &string, qint32 value1, qint32 value2)
{
    CText t;
    t.m_strText = string;
    t.m_nValue1 = value1;
    t.m_nValue2 = value2;
    return t;
}

} // namespace

class TestCText : public QObject
{
    Q_OBJECT
private slots:
    void storesTheFrameworksLayout();
    void stringLengthPrefix_data();
    void stringLengthPrefix();
    void secondObjectsUseTags();
    void rejectsDamagedArchives_data();
    void rejectsDamagedArchives();
    void readsWideStringsAsCodePage();
};

void TestCText::storesTheFrameworksLayout()
{
    const CText t = text("ab", 1, -2);
    const QByteArray expected = QByteArray::fromHex("ffff" "0100" "0500") + "CText"
                                + QByteArray::fromHex("02") + "ab"
                                + QByteArray::fromHex("01000000" "feffffff");
    QCOMPARE(store({&t}), expected);
}

void TestCText::stringLengthPrefix_data()
{
    QTest::addColumn<QByteArray>("string");
    QTest::addColumn<QByteArray>("prefix");
    QTest::newRow("empty") << QByteArray() << QByteArray::fromHex("00");
    QTest::newRow("254") << QByteArray(254, 'x') << QByteArray::fromHex("fe");
    QTest::newRow("255") << QByteArray(255, 'x') << QByteArray::fromHex("ffff00");
    QTest::newRow("0xfffd") << QByteArray(0xfffd, 'x') << QByteArray::fromHex("fffdff");
    QTest::newRow("0xfffe") << QByteArray(0xfffe, 'x') << QByteArray::fromHex("ffffff" "feff0000");
    QTest::newRow("code page 936") << QByteArray("\xb9\xe2\xcf\xcb 1") // "光纤 1"
                                   << QByteArray::fromHex("06");
}

void TestCText::stringLengthPrefix()
{
    QFETCH(QByteArray, string);
    QFETCH(QByteArray, prefix);
    const CText t = text(string, 0x12345678, INT_MIN);
    const QByteArray bytes = store({&t});
    const qsizetype fields = 2 + 2 + 2 + 5;
    QCOMPARE(bytes.mid(fields, prefix.size()), prefix);
    QCOMPARE(bytes.mid(fields + prefix.size(), string.size()), string);
    QCOMPARE(bytes.size(), fields + prefix.size() + string.size() + 8);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    std::unique_ptr<CObject> object(ar.ReadObject(&CText::classCText));
    QVERIFY(ar.IsOk());
    auto *loaded = dynamic_cast<CText *>(object.get());
    QVERIFY(loaded);
    QCOMPARE(loaded->m_strText, string);
    QCOMPARE(loaded->m_nValue1, 0x12345678);
    QCOMPARE(loaded->m_nValue2, INT_MIN);
    QVERIFY(buffer.atEnd());
}

void TestCText::secondObjectsUseTags()
{
    const CText first = text("a", 1, 2);
    const CText second = text("b", 3, 4);
    const QByteArray bytes = store({&first, &second, &first, nullptr});
    // Class index 1, first object 2; the second object names the class by
    // tag 0x8001 and becomes 3; storing the first again writes its index.
    const QByteArray secondPart = QByteArray::fromHex("0180") + QByteArray::fromHex("01") + "b"
                                  + QByteArray::fromHex("03000000" "04000000")
                                  + QByteArray::fromHex("0200" "0000");
    QVERIFY(bytes.endsWith(secondPart));

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    std::unique_ptr<CObject> a(ar.ReadObject());
    std::unique_ptr<CObject> b(ar.ReadObject());
    CObject *again = ar.ReadObject();
    CObject *none = ar.ReadObject();
    QVERIFY(ar.IsOk());
    QCOMPARE(static_cast<CText *>(b.get())->m_strText, QByteArray("b"));
    QCOMPARE(again, a.get());
    QCOMPARE(none, nullptr);
}

void TestCText::rejectsDamagedArchives_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("sequential");
    const QByteArray good = QByteArray::fromHex("ffff01000500") + "CText"
                            + QByteArray::fromHex("02") + "ab"
                            + QByteArray::fromHex("0100000002000000");
    QTest::newRow("ends inside the values") << good.chopped(1) << int(CArchive::EndOfArchive) << false;
    QTest::newRow("ends inside the text") << good.left(13) << int(CArchive::EndOfArchive) << false;
    QTest::newRow("huge text length") << good.left(11) + QByteArray::fromHex("ffffffffffff7f")
                                      << int(CArchive::EndOfArchive) << false;
    QTest::newRow("empty") << QByteArray() << int(CArchive::EndOfArchive) << false;
    QByteArray otherSchema = good;
    otherSchema[2] = 2;
    QTest::newRow("schema 2") << otherSchema << int(CArchive::BadSchema) << false;
    QTest::newRow("unknown class") << QByteArray::fromHex("ffff01000500") + "CTexx"
                                   << int(CArchive::BadClass) << false;
    QTest::newRow("class tag before any class") << QByteArray::fromHex("0180")
                                                << int(CArchive::BadIndex) << false;
    QTest::newRow("object tag never stored") << QByteArray::fromHex("0500")
                                             << int(CArchive::BadIndex) << false;

    // Lengths that no device could hold, with the values following them,
    // so that an empty text taken for good would read on as if whole.
    const QByteArray head = good.left(11);
    const QByteArray values = QByteArray::fromHex("0100000002000000");
    const QByteArray sixtyFourBit = QByteArray::fromHex("ffffffffffffff");
    QTest::newRow("negative 64-bit length")
        << head + sixtyFourBit + QByteArray::fromHex("0000000000000080") + values
        << int(CArchive::BadLength) << false;
    QTest::newRow("wide length whose bytes overflow")
        << head + QByteArray::fromHex("fffeff") + sixtyFourBit
               + QByteArray::fromHex("0000000000000080") + values
        << int(CArchive::BadLength) << false;
    QTest::newRow("sequential, 2 GB length") << head + QByteArray::fromHex("ffffff" "ffffff7f") + values
                                             << int(CArchive::BadLength) << true;
    QTest::newRow("sequential, length beyond the end")
        << head + QByteArray::fromHex("ffffff" "00001000") + values << int(CArchive::EndOfArchive)
        << true;
}

void TestCText::rejectsDamagedArchives()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    QFETCH(bool, sequential);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Pipe pipe(bytes);
    CArchive ar(sequential ? static_cast<QIODevice *>(&pipe) : &buffer, CArchive::load);
    QCOMPARE(ar.ReadObject(), nullptr);
    QCOMPARE(int(ar.GetStatus()), status);
}

void TestCText::readsWideStringsAsCodePage()
{
    // A wide string: marker 0xFF 0xFFFE, then its length in characters.
    const QByteArray bytes = QByteArray::fromHex("fffeff02") + QByteArray::fromHex("4951") // 光
                             + QByteArray::fromHex("a47e");                                 // 纤
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    QByteArray string;
    ar >> string;
    QVERIFY(ar.IsOk());
    QCOMPARE(string, QByteArray("\xb9\xe2\xcf\xcb"));
}

QTEST_GUILESS_MAIN(TestCText)
#include "tst_ctext.moc"

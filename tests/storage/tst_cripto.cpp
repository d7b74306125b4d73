#include "storage/cripto.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>

namespace {

// The scrambling written out step by step, apart from the program's code. Its
// two constants are those every stored password was made with.
QString referenceCripto(const QString &text, quint16 key)
{
    const unsigned multiplier = 36165;  // 0x8D45
    const unsigned increment = 14971;   // 0x3A7B
    unsigned k = key;
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const unsigned lowByte = text.at(i).unicode() % 256;
        const unsigned c = lowByte ^ (k / 256);
        out += QStringLiteral("%1").arg(c, 2, 16, QLatin1Char('0')).toUpper();
        k = ((c + k) * multiplier + increment) % 65536;
    }
    return out;
}

QString allLowBytes(char16_t highByte)
{
    QString text;
    for (char16_t b = 0; b < 256; ++b)
        text += QChar(char16_t(highByte << 8 | b));
    return text;
}

} // namespace

class TestCripto : public QObject
{
    Q_OBJECT

private slots:
    void knownValues_data();
    void knownValues();
    void matchesReference_data();
    void matchesReference();
    void lengthAndDigits_data();
    void lengthAndDigits();
    void highByteTakesNoPart_data();
    void highByteTakesNoPart();
    void keyChangesResult_data();
    void keyChangesResult();
};

void TestCripto::knownValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    // Worked by hand for the first unit: 'A' (0x41) XOR 0x5A (high byte of the key) = 0x1B.
    QTest::newRow("A") << QStringLiteral("A") << int(kCriptoKey) << QStringLiteral("1B");
    QTest::newRow("Ab") << QStringLiteral("Ab") << int(kCriptoKey) << QStringLiteral("1B1C");
    QTest::newRow("senha123") << QStringLiteral("senha123") << int(kCriptoKey) << QStringLiteral("295D9717CFEA87F0");
    QTest::newRow("senha123, key 0") << QStringLiteral("senha123") << 0 << QStringLiteral("73D5E91CED44E8A1");
    QTest::newRow("accents and euro, key FFFF") << QStringLiteral("Ção€") << 0xFFFF << QStringLiteral("3877BB97");
    QTest::newRow("surrogate pair") << QStringLiteral("😀") << int(kCriptoKey) << QStringLiteral("676F");
}

void TestCripto::knownValues()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(QString, expected);
    QCOMPARE(Cripto(text, quint16(key)), expected);
}

void TestCripto::matchesReference_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    for (const int key : {0, int(kCriptoKey), 0x8000, 0xFFFF}) {
        QTest::addRow("every byte, key %04X", key) << allLowBytes(0) << key;
        QTest::addRow("every byte with high byte 7F, key %04X", key) << allLowBytes(0x7F) << key;
        QString reversed = allLowBytes(0xFF);
        std::reverse(reversed.begin(), reversed.end());
        QTest::addRow("every byte reversed, key %04X", key) << reversed << key;
    }
}

void TestCripto::matchesReference()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    QCOMPARE(Cripto(text, quint16(key)), referenceCripto(text, quint16(key)));
}

void TestCripto::lengthAndDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("1 unit") << QStringLiteral("x");
    QTest::newRow("300 units") << QString(300, QLatin1Char('z'));
    QTest::newRow("surrogate pair counts as 2") << QStringLiteral("a😀b");
    QTest::newRow("NUL and U+FFFF") << QString(QChar(u'\0')) + QChar(u'\xFFFF');
}

void TestCripto::lengthAndDigits()
{
    QFETCH(QString, text);
    const QString result = Cripto(text, kCriptoKey);
    QCOMPARE(result.size(), 2 * text.size());
    QVERIFY2(QRegularExpression(QStringLiteral("^[0-9A-F]*$")).match(result).hasMatch(), qPrintable(result));
    QCOMPARE(Cripto(text, kCriptoKey), result);
}

void TestCripto::highByteTakesNoPart_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("U+0041 vs U+0141") << QStringLiteral("A") << QStringLiteral("Ł");
    QTest::newRow("in the middle of a word") << QStringLiteral("xAy") << QStringLiteral("xŁy");
    QTest::newRow("every unit") << QStringLiteral("abc") << QString(QChar(0x1261)) + QChar(0x7F62) + QChar(0xFF63);
}

void TestCripto::highByteTakesNoPart()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QCOMPARE(Cripto(a, kCriptoKey), Cripto(b, kCriptoKey));
}

void TestCripto::keyChangesResult_data()
{
    QTest::addColumn<int>("key1");
    QTest::addColumn<int>("key2");
    QTest::newRow("0 vs 1") << 0 << 1;
    QTest::newRow("high byte differs") << int(kCriptoKey) << int(kCriptoKey ^ 0x0100);
    QTest::newRow("low byte differs") << int(kCriptoKey) << int(kCriptoKey ^ 0x0001);
    QTest::newRow("0 vs FFFF") << 0 << 0xFFFF;
}

void TestCripto::keyChangesResult()
{
    QFETCH(int, key1);
    QFETCH(int, key2);
    const QString password = QStringLiteral("senha");
    QVERIFY(Cripto(password, quint16(key1)) != Cripto(password, quint16(key2)));
}

QTEST_GUILESS_MAIN(TestCripto)
#include "tst_cripto.moc"

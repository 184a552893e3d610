// Text-to-number conversions: locale separators, rounding ties to even,
// overflow and type-mismatch errors.

#include "platform/forms/Conversions.h"
#include "platform/forms/FormatTwoDigits.h"
#include "platform/forms/RuntimeError.h"

#include <QLocale>
#include <QTest>

using namespace forms;

namespace {

int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void cdblEnglish_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("integer") << "42" << 42.0;
        QTest::newRow("decimal point") << "2.5" << 2.5;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("trailing point") << "7." << 7.0;
        QTest::newRow("blanks around") << "  12  " << 12.0;
        QTest::newRow("tab") << "\t3\t" << 3.0;
        QTest::newRow("minus") << "-3.25" << -3.25;
        QTest::newRow("plus") << "+8" << 8.0;
        QTest::newRow("minus then blank") << "- 4" << -4.0;
        QTest::newRow("exponent") << "1.5e3" << 1500.0;
        QTest::newRow("exponent upper, signed") << "25E-1" << 2.5;
        QTest::newRow("grouped thousands") << "1,234,567" << 1234567.0;
        QTest::newRow("grouped with decimals") << "1,000.5" << 1000.5;
        QTest::newRow("leading zeros") << "007" << 7.0;
    }
    void cdblEnglish()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(CDbl(text), expected);
    }

    void cdblGerman_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("decimal comma") << "2,5" << 2.5;
        QTest::newRow("grouping dot") << "1.234" << 1234.0;
        QTest::newRow("both") << "1.234,75" << 1234.75;
        QTest::newRow("exponent") << "1,5E2" << 150.0;
        QTest::newRow("negative") << "-0,25" << -0.25;
    }
    void cdblGerman()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(CDbl(text), expected);
    }

    void typeMismatch_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        for (const char* locale : {"en_US", "de_DE"}) {
            const QByteArray l(locale);
            QTest::newRow((l + " empty").constData()) << QString::fromLatin1(locale) << "";
            QTest::newRow((l + " blanks").constData()) << QString::fromLatin1(locale) << "   ";
            QTest::newRow((l + " letters").constData()) << QString::fromLatin1(locale) << "abc";
            QTest::newRow((l + " lone minus").constData()) << QString::fromLatin1(locale) << "-";
            QTest::newRow((l + " 1,2,3").constData()) << QString::fromLatin1(locale) << "1,2,3";
            QTest::newRow((l + " trailing letters").constData()) << QString::fromLatin1(locale) << "12abc";
            QTest::newRow((l + " bare exponent").constData()) << QString::fromLatin1(locale) << "1e";
            QTest::newRow((l + " two signs").constData()) << QString::fromLatin1(locale) << "--1";
            QTest::newRow((l + " inner blank").constData()) << QString::fromLatin1(locale) << "1 2";
        }
        // The other locale's decimal separator is a misplaced group separator.
        QTest::newRow("en_US 1,5") << "en_US"
                                   << "1,5";
        QTest::newRow("de_DE 1.5") << "de_DE"
                                   << "1.5";
        QTest::newRow("en_US two points") << "en_US"
                                          << "1.2.3";
    }
    void typeMismatch()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(errorOf([&] { (void)CDbl(text); }), int(ErrTypeMismatch));
        QCOMPARE(errorOf([&] { (void)CInt(text); }), int(ErrTypeMismatch));
        QCOMPARE(errorOf([&] { (void)CLng(text); }), int(ErrTypeMismatch));
        QVERIFY(!IsNumeric(text));
    }

    void doubleOverflow()
    {
        QCOMPARE(errorOf([] { (void)CDbl(QStringLiteral("1e400")); }), int(ErrOverflow));
    }

    void roundsTiesToEven_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5") << "0.5" << 0;
        QTest::newRow("1.5") << "1.5" << 2;
        QTest::newRow("2.5") << "2.5" << 2;
        QTest::newRow("3.5") << "3.5" << 4;
        QTest::newRow("-0.5") << "-0.5" << 0;
        QTest::newRow("-1.5") << "-1.5" << -2;
        QTest::newRow("-2.5") << "-2.5" << -2;
        QTest::newRow("2.4999") << "2.4999" << 2;
        QTest::newRow("2.5001") << "2.5001" << 3;
        QTest::newRow("-2.6") << "-2.6" << -3;
        QTest::newRow("-32768.5") << "-32768.5" << -32768;
        QTest::newRow("32767.4") << "32767.4" << 32767;
        QTest::newRow("32766.5") << "32766.5" << 32766;
    }
    void roundsTiesToEven()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(int(CInt(text)), expected);
        QCOMPARE(int(CLng(text)), expected);
    }

    void cintRange()
    {
        QCOMPARE(int(CInt(QStringLiteral("32767"))), 32767);
        QCOMPARE(int(CInt(QStringLiteral("-32768"))), -32768);
        QCOMPARE(errorOf([] { (void)CInt(QStringLiteral("32767.5")); }), int(ErrOverflow));
        QCOMPARE(errorOf([] { (void)CInt(QStringLiteral("32768")); }), int(ErrOverflow));
        QCOMPARE(errorOf([] { (void)CInt(QStringLiteral("-32769")); }), int(ErrOverflow));
        QCOMPARE(errorOf([] { (void)CInt(QStringLiteral("-32768.6")); }), int(ErrOverflow));
        QCOMPARE(errorOf([] { (void)CInt(1e10); }), int(ErrOverflow));
        QCOMPARE(errorOf([] { (void)CInt(std::nan("")); }), int(ErrOverflow));
    }

    void clngRange()
    {
        QCOMPARE(CLng(QStringLiteral("2147483647")), 2147483647);
        QCOMPARE(CLng(QStringLiteral("-2147483648")), std::int32_t(-2147483647 - 1));
        QCOMPARE(CLng(QStringLiteral("-2147483648.5")), std::int32_t(-2147483647 - 1));
        QCOMPARE(CLng(QStringLiteral("2147483646.5")), 2147483646);
        QCOMPARE(errorOf([] { (void)CLng(QStringLiteral("2147483647.5")); }), int(ErrOverflow));
        QCOMPARE(errorOf([] { (void)CLng(QStringLiteral("-2147483649")); }), int(ErrOverflow));
        QCOMPARE(CLng(QStringLiteral("40000")), 40000); // beyond 16 bits is fine here
    }

    void germanRounding()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(int(CInt(QStringLiteral("2,5"))), 2);
        QCOMPARE(int(CInt(QStringLiteral("3,5"))), 4);
        QCOMPARE(int(CInt(QStringLiteral("1.000"))), 1000);
    }

    void formatTwoDigits_data()
    {
        QTest::addColumn<long long>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0") << 0LL << "00";
        QTest::newRow("5") << 5LL << "05";
        QTest::newRow("9") << 9LL << "09";
        QTest::newRow("10") << 10LL << "10";
        QTest::newRow("59") << 59LL << "59";
        QTest::newRow("123") << 123LL << "123";
        QTest::newRow("-5") << -5LL << "0-5";
        QTest::newRow("-12") << -12LL << "0-12";
    }
    void formatTwoDigits()
    {
        QFETCH(long long, value);
        QFETCH(QString, expected);
        QCOMPARE(FormatTwoDigits(value), expected);
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"

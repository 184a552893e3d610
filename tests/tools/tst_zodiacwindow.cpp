// The birthday window worked through its date box and "&OK".

#include "support/ToolWindowHarness.h"
#include "tools/zodiac/frmDate.h"

#include <QTest>

using tools::frmDate;

namespace {

bool okEnabled(const frmDate& form)
{
    return form.controls().widget("Command1")->isEnabled();
}

QStringList lookUp(frmDate& form, const QString& date)
{
    tooltest::typeInto(form, "Text1", date);
    tooltest::click(form, "Command1");
    return {tooltest::text(form, "Text2"), tooltest::text(form, "Text3")};
}

} // namespace

class TestZodiacWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { tooltest::prepareEnvironment(); }
    void init() { m_form = &tooltest::open<frmDate>(); }
    void cleanup() { tooltest::close(*m_form); }

    void opensEmptyWithOkDisabled()
    {
        QVERIFY(!okEnabled(*m_form));
        QCOMPARE(tooltest::text(*m_form, "Text1"), QString());
        QCOMPARE(tooltest::text(*m_form, "Text2"), QString());
        QCOMPARE(tooltest::text(*m_form, "Text3"), QString());
        QVERIFY(tooltest::lineEdit(*m_form, "Text1")->hasFocus()); // first in tab order
    }

    void okFollowsTheText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("example") << "01/01/2000" << true;
        QTest::newRow("ISO") << "2000-02-29" << true;
        QTest::newRow("month name") << "25 December 1990" << true;
        QTest::newRow("words") << "hello" << false;
        QTest::newRow("no leap day") << "2001-02-29" << false;
        QTest::newRow("no year") << "01/01" << false;
        QTest::newRow("empty") << "" << false;
    }

    void okFollowsTheText()
    {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        tooltest::typeInto(*m_form, "Text1", "1999-12-31");
        QVERIFY(okEnabled(*m_form));
        tooltest::typeInto(*m_form, "Text1", text);
        QCOMPARE(okEnabled(*m_form), enabled);
    }

    void exampleDate()
    {
        QCOMPARE(lookUp(*m_form, "01/01/2000"), QStringList({"Saturday", "CAPRICORN"}));
        QCOMPARE(lookUp(*m_form, "2000-01-02"), QStringList({"Sunday", "CAPRICORN"}));
        QCOMPARE(lookUp(*m_form, "2024-02-29"), QStringList({"Thursday", "PISCES"}));
    }

    void signBoundaries_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("sign");
        QTest::newRow("20 Apr") << "2001-04-20"
                                << "ARIES";
        QTest::newRow("21 Apr") << "2001-04-21"
                                << "TAURUS";
        QTest::newRow("21 May") << "2001-05-21"
                                << "TAURUS";
        QTest::newRow("22 May") << "2001-05-22"
                                << "GEMINI";
        QTest::newRow("19 Feb") << "2001-02-19"
                                << "AQUARIUS";
        QTest::newRow("20 Feb") << "2001-02-20"
                                << "PISCES";
        QTest::newRow("20 Mar") << "2001-03-20"
                                << "PISCES";
        QTest::newRow("21 Mar") << "2001-03-21"
                                << "ARIES";
        QTest::newRow("20 Jan") << "2001-01-20"
                                << "CAPRICORN";
        QTest::newRow("21 Jan") << "2001-01-21"
                                << "AQUARIUS";
        QTest::newRow("21 Dec") << "2001-12-21"
                                << "SAGITARIUS";
        QTest::newRow("22 Dec") << "2001-12-22"
                                << "CAPRICORN";
        QTest::newRow("29 Feb") << "1996-02-29"
                                << "PISCES";
    }

    void signBoundaries()
    {
        QFETCH(QString, date);
        QFETCH(QString, sign);
        QCOMPARE(lookUp(*m_form, date).at(1), sign);
    }

    void resultsStayWhenTheTextStopsBeingADate()
    {
        QCOMPARE(lookUp(*m_form, "2000-01-01"), QStringList({"Saturday", "CAPRICORN"}));
        QTest::keyClick(tooltest::lineEdit(*m_form, "Text1"), Qt::Key_Backspace);
        QCOMPARE(tooltest::text(*m_form, "Text1"), QStringLiteral("2000-01-0"));
        QVERIFY(!okEnabled(*m_form));
        QCOMPARE(tooltest::text(*m_form, "Text2"), QStringLiteral("Saturday"));
        QCOMPARE(tooltest::text(*m_form, "Text3"), QStringLiteral("CAPRICORN"));
        // A disabled button takes no click.
        tooltest::click(*m_form, "Command1");
        QCOMPARE(tooltest::text(*m_form, "Text2"), QStringLiteral("Saturday"));
    }

    void reopeningStartsEmpty()
    {
        lookUp(*m_form, "2000-01-01");
        tooltest::close(*m_form);
        m_form = &tooltest::open<frmDate>();
        QVERIFY(!okEnabled(*m_form));
        QCOMPARE(tooltest::text(*m_form, "Text1"), QString());
        QCOMPARE(tooltest::text(*m_form, "Text3"), QString());
    }

private:
    frmDate* m_form = nullptr;
};

QTEST_MAIN(TestZodiacWindow)
#include "tst_zodiacwindow.moc"

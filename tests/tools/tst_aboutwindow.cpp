// The About window: the credits text as designed, its scroll tick by tick, and
// "&Close".

#include "platform/forms/FormTimer.h"
#include "platform/forms/WindowDescription.h"
#include "support/ToolWindowHarness.h"
#include "tools/about/frmAbout.h"

#include <QJsonArray>
#include <QTest>

using tools::frmAbout;

namespace {

QString designedCredits()
{
    const QJsonObject description = forms::loadWindowDescription("frmAbout");
    for (const QJsonValue& c : description.value("controls").toArray()) {
        for (const QJsonValue& child : c.toObject().value("controls").toArray()) {
            if (child.toObject().value("name").toString() == QLatin1String("Text1"))
                return child.toObject().value("text").toString();
        }
    }
    return {};
}

} // namespace

class TestAboutWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { tooltest::prepareEnvironment(); }
    void init() { m_form = &tooltest::open<frmAbout>(); }
    void cleanup() { tooltest::close(*m_form); }

    void creditsHaveTwentyLines()
    {
        const QString credits = designedCredits();
        QVERIFY(credits.endsWith("\r\n"));
        const QStringList lines = credits.split("\r\n");
        QCOMPARE(lines.size(), 21); // the last line's CR LF leaves an empty tail
        QCOMPARE(lines[0], m_form->window()->windowTitle().mid(QStringLiteral("About ").size()));
        QCOMPARE(lines[2], QString(36, '-'));
        for (int empty : {3, 6, 9, 12, 15, 20})
            QVERIFY2(lines[empty].isEmpty(), qPrintable(lines[empty]));
        QCOMPARE(lines[4], QStringLiteral("Programmer :"));
        QVERIFY(lines[7].endsWith(" :") && lines[7].size() > 2);
        QCOMPARE(lines[10], QStringLiteral("Website :"));
        QCOMPARE(lines[13], QStringLiteral("Thanks to :"));
        QCOMPARE(lines[16], QStringLiteral("License :"));
        QVERIFY(lines[19].startsWith('(') && lines[19].endsWith(')'));
        for (int named : {1, 5, 8, 11, 14, 17, 18})
            QVERIFY(!lines[named].isEmpty());
        QCOMPARE(credits.count('\r'), 20); // no bare CR or LF anywhere
        QCOMPARE(credits.count('\n'), 20);
    }

    void startsBelowTheViewport()
    {
        QCOMPARE(m_form->creditsTop(), 2000.0f);
        const QWidget* viewport = m_form->controls().widget("Picture1");
        const QWidget* text = m_form->controls().widget("Text1");
        QCOMPARE(text->parentWidget(), viewport);
        QVERIFY(text->y() >= viewport->height());
        QCOMPARE(m_form->controls().timer("Timer1")->interval(), 50);
        QVERIFY(m_form->controls().timer("Timer1")->isRunning());
    }

    void firstPassWrapsOnTick391()
    {
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(m_form->creditsTop(), 1980.0f);
        tooltest::tick(*m_form, "Timer1", 389);
        QCOMPARE(m_form->creditsTop(), -5800.0f); // exactly the limit: no wrap
        QCOMPARE(m_form->controls().widget("Text1")->y(), -387);
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(m_form->creditsTop(), 2090.0f);
    }

    void laterPassesWrapOnTick395()
    {
        tooltest::tick(*m_form, "Timer1", 391);
        tooltest::tick(*m_form, "Timer1", 394);
        QCOMPARE(m_form->creditsTop(), -5790.0f);
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(m_form->creditsTop(), 2090.0f);
    }

    void closeButtonUnloadsAndReopeningStartsOver()
    {
        tooltest::tick(*m_form, "Timer1", 100);
        tooltest::click(*m_form, "cmd_tutup");
        QVERIFY(!m_form->isLoaded());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_form = &tooltest::open<frmAbout>();
        QCOMPARE(m_form->creditsTop(), 2000.0f);
    }

private:
    frmAbout* m_form = nullptr;
};

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"

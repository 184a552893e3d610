// The saved property set: the bag's storage rules, the 23 keys in order, the
// defaults of missing keys, and the new-instance setup.

#include "controls/vbButton/RegisterVbButton.h"
#include "platform/forms/ControlRegistry.h"
#include "platform/forms/Controls.h"
#include "platform/forms/FormBuilder.h"
#include "platform/forms/WindowDescription.h"
#include "support/VbInputDriver.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QtTest>

using namespace vbtest;

namespace {

const QStringList kKeysWithoutPictures = {"_extentx", "_extenty", "btype", "tx",    "enab",   "font",
                                          "coltype",  "focusr",   "bcol",  "bcolo", "fcol",   "fcolo",
                                          "mcol",     "mptr",     "umcol", "soft",  "picpos", "ngrey",
                                          "fx",       "hand",     "check", "value"};

QStringList keysOf(const forms::PropertyBag& bag)
{
    QStringList keys;
    for (const auto& e : bag.entries())
        keys << e.first;
    return keys;
}

gdi::PicturePtr checkerPicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, (x + y) % 2 ? 0xFFFF0000 : 0xFF00FF00);
    gdi::Picture p;
    p.type = gdi::Picture::Type::Bitmap;
    p.image = img;
    p.hmWidth = 1000;
    p.hmHeight = 500;
    return std::make_shared<const gdi::Picture>(p);
}

} // namespace

class TestPersist : public QObject {
    Q_OBJECT
private slots:
    void init() { usePointerSeam(); }

    void bagMatchesKeysWithoutCaseAndWritesLowerCase()
    {
        forms::PropertyBag bag = forms::PropertyBag::fromJson(QJsonObject{{"BType", 7}, {"tx", "Hi"}});
        QCOMPARE(bag.readInt("BTYPE", 2), 7);
        QCOMPARE(bag.readString("TX", ""), QStringLiteral("Hi"));
        bag.writeInt("BTYPE", 9);
        bag.writeBool("ENAB", false);
        QCOMPARE(bag.size(), 3);
        const QJsonObject json = bag.toJson();
        QCOMPARE(json.value("btype").toInt(), 9);
        QCOMPARE(json.value("enab").toInt(-5), 0);
        QVERIFY(!json.contains("ENAB"));
    }

    void bagReadsNumbersAsTheProgramStoresThem()
    {
        const auto bag = forms::PropertyBag::fromJson(QJsonObject{{"neg", -1},
                                                                  {"half", 2.5},
                                                                  {"sys", -2147483643.0},
                                                                  {"sysu", 2147483653.0},
                                                                  {"big", 5e12},
                                                                  {"txt", "abc"},
                                                                  {"flag", true},
                                                                  {"frac", 0.25}});
        QVERIFY(bag.readBool("neg", false));
        QVERIFY(bag.readBool("frac", false)); // any non-zero number is True
        QCOMPARE(bag.readInt("half", 0), 2);  // halves to even
        QCOMPARE(quint32(bag.readInt("sys", 0)), 0x80000005u);
        QCOMPARE(quint32(bag.readInt("sysu", 0)), 0x80000005u);
        QCOMPARE(bag.readInt("big", 42), 42); // beyond 32 bits: the default
        QCOMPARE(bag.readInt("txt", 42), 42);
        QCOMPARE(bag.readInt("flag", 0), -1);
        QCOMPARE(bag.readInt("missing", 17), 17);
    }

    void extentsComeFirst()
    {
        const auto bag = forms::PropertyBag::fromJson(
            QJsonObject{{"btype", 3}, {"_EXTENTY", 794}, {"_extentx", 2117}, {"aaa", 1}});
        QCOMPARE(keysOf(bag).mid(0, 2), (QStringList{"_extentx", "_extenty"}));
        QCOMPARE(bag.extentX(), 2117);
        QCOMPARE(bag.extentY(), 794);
    }

    void saveWritesEveryKeyInOrder()
    {
        ButtonWindow w;
        const forms::PropertyBag bag = w.button->saveBag();
        QCOMPARE(keysOf(bag), kKeysWithoutPictures);
        const QJsonObject json = bag.toJson();
        QCOMPARE(json.value("btype").toInt(), 2);
        QCOMPARE(json.value("tx").toString(), QStringLiteral("vbButton1"));
        QCOMPARE(json.value("enab").toInt(), -1);
        QCOMPARE(json.value("bcol").toInt(), 0xC0C0C0);
        QCOMPARE(json.value("mcol").toInt(), 0xC0C0C0);
        QCOMPARE(json.value("hand").toInt(), 0);
        // 80 x 30 pixels at 96 dots per inch, in hundredths of a millimetre.
        QCOMPARE(json.value("_extentx").toInt(), 2117);
        QCOMPARE(json.value("_extenty").toInt(), 794);
    }

    void roundTripKeepsEveryProperty()
    {
        ButtonWindow a;
        Button b = a.button;
        QFont f("Tahoma", 11);
        f.setPointSizeF(9.75);
        f.setItalic(true);
        f.setStrikeOut(true);
        b->setFont(f);
        b->setButtonType(13);
        b->setCaption("&Copy File...");
        b->setColorScheme(2);
        b->setShowFocusRect(false);
        b->setBackColor(0x80000005);
        b->setBackOver(0x0000FF);
        b->setForeColor(0x123456);
        b->setForeOver(0xFF0000);
        b->setMaskColor(0x00FF00);
        b->setMouseIcon(checkerPicture(4, 4));
        b->setPictureNormal(checkerPicture(16, 8));
        b->setPictureOver(checkerPicture(2, 2));
        b->setUseMaskColor(false);
        b->setSoftBevel(true);
        b->setPicturePosition(4);
        b->setUseGreyscale(true);
        b->setSpecialEffect(3);
        b->setCheckBoxBehaviour(true);
        b->setValue(true);
        b->setMousePointer(2);
        b->setEnabled(false);

        const forms::PropertyBag bag = b->saveBag();
        QStringList expected = kKeysWithoutPictures;
        expected.insert(expected.indexOf("umcol"), "pich");
        expected.insert(expected.indexOf("pich"), "picn");
        expected.insert(expected.indexOf("picn"), "micon");
        QCOMPARE(keysOf(bag), expected);
        QCOMPARE(bag.toJson().value("bcol").toInt(), -2147483643);

        ButtonWindow c;
        Button d = c.button;
        d->load(bag.toJson());
        QCOMPARE(d->ButtonType(), 13);
        QCOMPARE(d->Caption(), QStringLiteral("&Copy File..."));
        QVERIFY(!d->Enabled());
        QVERIFY(!d.widget()->isEnabled());
        QCOMPARE(d->FontName(), QStringLiteral("Tahoma"));
        QCOMPARE(d->Font().pointSizeF(), 9.75);
        QVERIFY(d->FontItalic());
        QVERIFY(d->Font().strikeOut());
        QVERIFY(!d->FontBold());
        QCOMPARE(d->ColorScheme(), 2);
        QVERIFY(!d->ShowFocusRect());
        QCOMPARE(d->BackColor(), 0x80000005u);
        QCOMPARE(d->BackOver(), 0x0000FFu);
        QCOMPARE(d->ForeColor(), 0x123456u);
        QCOMPARE(d->ForeOver(), 0xFF0000u);
        QCOMPARE(d->MaskColor(), 0x00FF00u);
        // HandPointer False is applied last among the pointer keys: arrow, no icon.
        QCOMPARE(d->MousePointer(), 1);
        QVERIFY(!d->MouseIcon());
        QVERIFY(d->PictureNormal());
        QCOMPARE(d->PictureNormal()->image, checkerPicture(16, 8)->image);
        QCOMPARE(d->PictureNormal()->hmWidth, 1000);
        QCOMPARE(d->PictureNormal()->hmHeight, 500);
        QCOMPARE(d->PictureOver()->image.size(), QSize(2, 2));
        QVERIFY(!d->UseMaskColor());
        QVERIFY(d->SoftBevel());
        QCOMPARE(d->PicturePosition(), 4);
        QVERIFY(d->UseGreyscale());
        QCOMPARE(d->SpecialEffect(), 3);
        QVERIFY(d->CheckBoxBehaviour());
        QVERIFY(d->Value());
        QCOMPARE(d->accessKeys(), QStringLiteral("c"));
        QVERIFY(!d->isDirty());

        // Saving the loaded button gives the same set.
        QCOMPARE(d->saveBag().toJson().value("font"), bag.toJson().value("font"));
    }

    void missingKeysTakeTheirDefaults()
    {
        ButtonWindow w;
        Button b = w.button;
        b->setButtonType(9);
        b->setCaption("x");
        b->setSoftBevel(true);
        const QFont before = b->Font();
        b->load(QJsonObject{});
        QCOMPARE(b->ButtonType(), 2);
        QCOMPARE(b->Caption(), QString());
        QVERIFY(b->Enabled());
        QCOMPARE(b->Font(), before);
        QCOMPARE(b->ColorScheme(), 1);
        QVERIFY(b->ShowFocusRect());
        QCOMPARE(b->BackColor(), 0xC0C0C0u); // the classic button face
        QCOMPARE(b->BackOver(), 0xC0C0C0u);
        QCOMPARE(b->ForeColor(), 0x000000u);
        QCOMPARE(b->ForeOver(), 0x000000u);
        QCOMPARE(b->MaskColor(), 0xC0C0C0u);
        QCOMPARE(b->MousePointer(), 1); // "HAND" missing is False, through its let
        QVERIFY(!b->PictureNormal());
        QVERIFY(b->UseMaskColor());
        QVERIFY(!b->SoftBevel());
        QCOMPARE(b->PicturePosition(), 0);
        QVERIFY(!b->UseGreyscale());
        QCOMPARE(b->SpecialEffect(), 0);
        QVERIFY(!b->HandPointer());
        QVERIFY(!b->CheckBoxBehaviour());
        QVERIFY(!b->Value());
    }

    void backColorAloneGivesTheHoverColourToo()
    {
        ButtonWindow w;
        w.button->load(QJsonObject{{"bcol", 255}, {"fcol", 0x00FF00}});
        QCOMPARE(w.button->BackOver(), 255u);
        QCOMPARE(w.button->ForeOver(), 0x00FF00u);
    }

    void keysAreReadWhateverTheirCase()
    {
        ButtonWindow w;
        w.button->load(QJsonObject{{"BTYPE", 7}, {"Tx", "Go"}, {"eNaB", 0}});
        QCOMPARE(w.button->ButtonType(), 7);
        QCOMPARE(w.button->Caption(), QStringLiteral("Go"));
        QVERIFY(!w.button->Enabled());
    }

    void handFalseOverridesSavedPointerAndIcon()
    {
        ButtonWindow w;
        Button b = w.button;
        QJsonObject props{{"mptr", 2}, {"hand", 0}};
        props.insert("micon", forms::pictureToJson(checkerPicture(4, 4)));
        b->load(props);
        QCOMPARE(b->MousePointer(), 1);
        QVERIFY(!b->MouseIcon());
        QCOMPARE(b.widget()->cursor().shape(), Qt::ArrowCursor);

        b->load(QJsonObject{{"mptr", 2}, {"hand", -1}});
        QVERIFY(b->HandPointer());
        QCOMPARE(b->MousePointer(), 99);
        QVERIFY(b->MouseIcon());
        QCOMPARE(b->MouseIcon()->image.size(), QSize(32, 32));
    }

    void loadingDrawsNothingAndMarksNothing()
    {
        ButtonWindow w;
        Button b = w.button;
        const int draws = b->clearCount();
        b->load(QJsonObject{{"btype", 3}, {"tx", "&Menu"}, {"hand", -1}});
        QCOMPARE(b->clearCount(), draws);
        QVERIFY(!b->isDirty());
        QCOMPARE(b->accessKeys(), QStringLiteral("m"));
    }

    void programButtonComesUpAsSaved()
    {
        ButtonWindow w;
        Button b = w.button;
        const QJsonObject font{{"name", "MS Sans Serif"}, {"size", 8.25},       {"bold", true},
                               {"italic", false},         {"underline", false}, {"strikethrough", false}};
        b->load(QJsonObject{{"_extentx", 2117}, {"_extenty", 794},   {"btype", 3},   {"tx", "&Copy File..."},
                            {"enab", -1},       {"font", font},      {"coltype", 1}, {"focusr", -1},
                            {"bcol", 0xC0C0C0}, {"bcolo", 0xC0C0C0}, {"fcol", 0},    {"fcolo", 0xFF0000},
                            {"mcol", 0xC0C0C0}, {"mptr", 0},         {"umcol", -1},  {"soft", 0},
                            {"picpos", 0},      {"ngrey", 0},        {"fx", 0},      {"hand", 0},
                            {"check", 0},       {"value", 0}});
        QCOMPARE(b->ButtonType(), 3);
        QCOMPARE(b->FontName(), QStringLiteral("MS Sans Serif"));
        QVERIFY(b->FontBold());
        QCOMPARE(b->FontSize(), short(8)); // 8.25 points read as 8
        QCOMPARE(b->ForeOver(), 0xFF0000u);
        QCOMPARE(b->accessKeys(), QStringLiteral("c"));
    }

    void newInstanceTakesTheHostsNameAndFont()
    {
        QWidget window;
        Button b = new quintaro::vbButton(&window);
        b->setAmbientDisplayName("vbButton1");
        b->setAmbientFont(QFont("Tahoma", 11));
        b->initNew();
        QCOMPARE(b->Caption(), QStringLiteral("vbButton1"));
        QCOMPARE(b->FontName(), QStringLiteral("Tahoma"));
        QCOMPARE(b->FontSize(), short(11));
        QCOMPARE(b->ButtonType(), 2);
        QCOMPARE(b->ColorScheme(), 1);
        QCOMPARE(b->MaskColor(), 0xC0C0C0u);
        QCOMPARE(b->BackColor(), 0xC0C0C0u);
        QCOMPARE(b->BackOver(), 0xC0C0C0u);
        QCOMPARE(b->ForeColor(), 0x000000u);
        QCOMPARE(b->ForeOver(), 0x000000u);
        QVERIFY(b->Enabled());
        QVERIFY(b->ShowFocusRect());
        QVERIFY(b->UseMaskColor());
        QVERIFY(!b->HandPointer());
        QCOMPARE(b->MousePointer(), 0);
        QCOMPARE(b->accessKeys(), QString());
        QCOMPARE(b->Version(), QStringLiteral("2.0.6"));
    }

    void fontAttributesDoNotNotifyButFontDoes()
    {
        ButtonWindow w;
        Button b = w.button;
        QSignalSpy spy(quintaro::vbButtonPrivate::get(b),
                       &quintaro::vbButtonPrivate::propertyChangedNotified);
        b->clearDirty();
        b->setFontBold(true);
        b->setFontItalic(true);
        b->setFontUnderline(true);
        b->setFontSize(12);
        b->setFontName("Tahoma");
        QVERIFY(!b->isDirty());
        QCOMPARE(spy.count(), 0);
        QVERIFY(b->FontBold());
        QCOMPARE(b->Font().pointSizeF(), 12.0);
        b->setFont(QFont("Rockwell", 10));
        QVERIFY(b->isDirty());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("Font"));
        // Saving is what the mark asks for; it clears it.
        (void)b->save();
        QVERIFY(!b->isDirty());
    }

    void designTimeColourLetsMoveTheHoverColours()
    {
        ButtonWindow w;
        Button b = w.button;
        b->setBackColor(0x0000FF);
        b->setForeColor(0x00FF00);
        QCOMPARE(b->BackOver(), 0xC0C0C0u); // run time: the hover colours stay
        QCOMPARE(b->ForeOver(), 0x000000u);
        b->setUserMode(false);
        b->setBackColor(0x0000FF);
        b->setForeColor(0x00FF00);
        QCOMPARE(b->BackOver(), 0x0000FFu);
        QCOMPARE(b->ForeOver(), 0x00FF00u);
    }

    void windowDescriptionsCreateLoadedButtons()
    {
        vb::registerVbButton();
        QWidget window;
        const QJsonObject saved{
            {"name", "btn"},
            {"index", 2},
            {"kind", "vbButton"},
            {"properties", QJsonObject{{"btype", 3}, {"tx", "&Copy To..."}, {"fcolo", 0xFF0000}}}};
        Button b = qobject_cast<quintaro::vbButton*>(
            forms::ControlRegistry::instance().create("vbButton", &window, saved));
        QVERIFY(b);
        QCOMPARE(b.widget()->parentWidget(), &window);
        QCOMPARE(b->ButtonType(), 3);
        QCOMPARE(b->Caption(), QStringLiteral("&Copy To..."));
        QCOMPARE(b->ForeOver(), 0xFF0000u);
        QCOMPARE(b->accessKeys(), QStringLiteral("c"));

        // Without a saved set it is a new instance, named after the control.
        const QJsonObject fresh{{"name", "btn"}, {"index", 2}, {"kind", "vbButton"}};
        Button n = qobject_cast<quintaro::vbButton*>(
            forms::ControlRegistry::instance().create("vbButton", &window, fresh));
        QVERIFY(n);
        QCOMPARE(n->Caption(), QStringLiteral("btn(2)"));
        forms::ControlRegistry::instance().restoreBuiltins();
    }

    void mainWindowButtonsComeUpAsSaved()
    {
        vb::registerVbButton();
        QWidget window;
        forms::Controls controls;
        forms::FormBuilder::build(forms::loadWindowDescription("DlgCopy"), &window, controls);
        const QStringList captions{"&Copy File...", "&Browse File...", "&Copy To..."};
        for (int i = 0; i < 3; ++i) {
            Button b = controls.get<quintaro::vbButton>("btn", i);
            QVERIFY(b);
            QCOMPARE(b->Caption(), captions[i]);
            QCOMPARE(b->ButtonType(), 3);
            QCOMPARE(b->ColorScheme(), 1);
            QCOMPARE(b->FontName(), QStringLiteral("MS Sans Serif"));
            QVERIFY(b->FontBold());
            QCOMPARE(b->Font().pointSizeF(), 8.25);
            QCOMPARE(b->BackColor(), 0xC0C0C0u);
            QCOMPARE(b->ForeOver(), 0xFF0000u);
            QVERIFY(!b->HandPointer());
        }
        Button menu = controls.get<quintaro::vbButton>("vbButton1");
        QVERIFY(menu);
        QCOMPARE(menu->Caption(), QStringLiteral("&Menu"));
        // Twips in the description: 975 x 375 is 65 x 25 pixels.
        window.show();
        QCOMPARE(menu->state().m_Width, 65);
        QCOMPARE(menu->state().m_Height, 25);
        forms::ControlRegistry::instance().restoreBuiltins();
    }

    void flatTypeMakesTheFontBoldOnlyAtDesignTime()
    {
        ButtonWindow w;
        Button b = w.button;
        b->setButtonType(5);
        QVERIFY(!b->FontBold());
        b->setButtonType(2);
        b->setUserMode(false);
        b->setButtonType(5);
        QVERIFY(b->FontBold());
    }
};

QTEST_MAIN(TestPersist)
#include "tst_persist.moc"

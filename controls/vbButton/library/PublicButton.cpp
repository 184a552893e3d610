// The library's widget: a thin shell around the program's own button. The
// inner button fills it and does all the work; this class gives it Qt
// properties and signals, and reports each property change by comparing the
// values before and after every let, so a let's side effects (a design-time
// BackOver, a bold font for btFlat, the pointer that HandPointer sets) are
// reported as well.

#include <quintaro/vbButton.h>

#include "controls/vbButton/vbButton.h"
#include "platform/forms/RenderBehind.h"

#include <QPainter>
#include <QResizeEvent>

namespace quintaro {

static_assert(int(btGradient) == int(vb::btGradient) && int(btOval) == int(vb::btOval)
              && int(btStandard) == int(vb::btStandard));
static_assert(int(csParent) == int(vb::csParent) && int(ppCenter) == int(vb::ppCenter)
              && int(fxShadow) == int(vb::fxShadow));
static_assert(int(vbCustom) == int(forms::vbCustom) && int(vbSizeAll) == int(forms::vbSizeAll));

namespace {

gdi::PicturePtr toPicture(const QPixmap& pixmap)
{
    if (pixmap.isNull())
        return nullptr;
    const QImage image = pixmap.toImage();
    return gdi::Picture::fromImage(image, image.hasAlphaChannel() ? gdi::Picture::Type::Icon
                                                                  : gdi::Picture::Type::Bitmap);
}

QPixmap toPixmap(const gdi::PicturePtr& picture)
{
    return picture ? QPixmap::fromImage(picture->image) : QPixmap();
}

// Pictures count as changed by their content, not by their object.
bool samePicture(const gdi::PicturePtr& a, const gdi::PicturePtr& b)
{
    if (!a || !b)
        return a == b;
    return a->type == b->type && a->image == b->image;
}

// The inner button's parent is the shell, which draws nothing of its own: the
// transparent look copies what lies under the shell instead. In design mode
// the keyboard belongs to the designer, so the caption's access key is not
// taken.
class InnerButton : public vb::vbButton {
public:
    using vb::vbButton::vbButton;

    void setAccessKeys(const QString& keys) override
    {
        vb::vbButton::setAccessKeys(userMode() ? keys : QString());
    }

    void copyFromParent(gdi::Surface& dest, int x, int y, int w, int h) override
    {
        QWidget* shell = parentWidget();
        if (!shell || !shell->parentWidget()) {
            vb::vbButton::copyFromParent(dest, x, y, w, h);
            return;
        }
        forms::renderBehind(*shell, QRect(shell->mapToParent(QPoint(x, y)), QSize(w, h)), dest);
    }
};

// What the NOTIFY signals report on.
struct Snapshot {
    vb::ButtonState s;
    QFont font;
    std::int16_t pointer = 0;
    gdi::PicturePtr icon;
};

} // namespace

struct vbButton::Private {
    vb::vbButton* inner = nullptr;
    bool design = false;

    [[nodiscard]] Snapshot snapshot() const
    {
        const vb::ButtonState& s = inner->state();
        Snapshot snap;
        snap.s.m_BackColor = s.m_BackColor;
        snap.s.m_BackOver = s.m_BackOver;
        snap.s.m_ForeColor = s.m_ForeColor;
        snap.s.m_ForeOver = s.m_ForeOver;
        snap.s.m_MaskColor = s.m_MaskColor;
        snap.s.m_ButtonType = s.m_ButtonType;
        snap.s.m_Caption = s.m_Caption;
        snap.s.m_Enabled = s.m_Enabled;
        snap.s.m_ColorScheme = s.m_ColorScheme;
        snap.s.m_ShowFocusRect = s.m_ShowFocusRect;
        snap.s.m_HandPointer = s.m_HandPointer;
        snap.s.m_SoftBevel = s.m_SoftBevel;
        snap.s.m_PictureNormal = s.m_PictureNormal;
        snap.s.m_PictureOver = s.m_PictureOver;
        snap.s.m_PicturePosition = s.m_PicturePosition;
        snap.s.m_UseMaskColor = s.m_UseMaskColor;
        snap.s.m_UseGreyscale = s.m_UseGreyscale;
        snap.s.m_SpecialEffect = s.m_SpecialEffect;
        snap.s.m_CheckBoxBehaviour = s.m_CheckBoxBehaviour;
        snap.s.m_Value = s.m_Value;
        snap.font = inner->controlFont();
        snap.pointer = inner->pointerCode();
        snap.icon = inner->pointerIcon();
        return snap;
    }

    // Runs one let and reports every property it changed.
    template <class Let> void apply(vbButton* q, Let&& let)
    {
        const Snapshot a = snapshot();
        let(*inner);
        const Snapshot b = snapshot();
        const vb::ButtonState& x = a.s;
        const vb::ButtonState& y = b.s;
        if (x.m_BackColor != y.m_BackColor)
            emit q->BackColorChanged();
        if (x.m_BackOver != y.m_BackOver)
            emit q->BackOverChanged();
        if (x.m_ForeColor != y.m_ForeColor)
            emit q->ForeColorChanged();
        if (x.m_ForeOver != y.m_ForeOver)
            emit q->ForeOverChanged();
        if (x.m_MaskColor != y.m_MaskColor)
            emit q->MaskColorChanged();
        if (x.m_ButtonType != y.m_ButtonType)
            emit q->ButtonTypeChanged();
        if (x.m_Caption != y.m_Caption)
            emit q->CaptionChanged();
        if (x.m_Enabled != y.m_Enabled)
            emit q->EnabledChanged();
        if (a.font != b.font)
            emit q->FontChanged();
        if (x.m_ColorScheme != y.m_ColorScheme)
            emit q->ColorSchemeChanged();
        if (x.m_ShowFocusRect != y.m_ShowFocusRect)
            emit q->ShowFocusRectChanged();
        if (a.pointer != b.pointer)
            emit q->MousePointerChanged();
        if (!samePicture(a.icon, b.icon))
            emit q->MouseIconChanged();
        if (x.m_HandPointer != y.m_HandPointer)
            emit q->HandPointerChanged();
        if (x.m_SoftBevel != y.m_SoftBevel)
            emit q->SoftBevelChanged();
        if (!samePicture(x.m_PictureNormal, y.m_PictureNormal))
            emit q->PictureNormalChanged();
        if (!samePicture(x.m_PictureOver, y.m_PictureOver))
            emit q->PictureOverChanged();
        if (x.m_PicturePosition != y.m_PicturePosition)
            emit q->PicturePositionChanged();
        if (x.m_UseMaskColor != y.m_UseMaskColor)
            emit q->UseMaskColorChanged();
        if (x.m_UseGreyscale != y.m_UseGreyscale)
            emit q->UseGreyscaleChanged();
        if (x.m_SpecialEffect != y.m_SpecialEffect)
            emit q->SpecialEffectChanged();
        if (x.m_CheckBoxBehaviour != y.m_CheckBoxBehaviour)
            emit q->CheckBoxBehaviourChanged();
        if (x.m_Value != y.m_Value)
            emit q->ValueChanged();
    }

    // A loaded or new set: lay out and draw as a resize does.
    void relayout()
    {
        inner->handleResize();
        inner->Refresh();
    }
};

vbButton::vbButton(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>())
{
    d->inner = new InnerButton(this);
    d->inner->setAmbientDisplayName(QStringLiteral("vbButton"));
    d->inner->initNew();
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(d->inner);
    resize(sizeHint());

    vb::vbButton* b = d->inner;
    connect(b, &vb::vbButton::Click, this, &vbButton::Click);
    connect(b, &vb::vbButton::MouseDown, this,
            [this](short& Button, short& Shift, float& X, float& Y) { emit MouseDown(Button, Shift, X, Y); });
    connect(b, &vb::vbButton::MouseMove, this,
            [this](short& Button, short& Shift, float& X, float& Y) { emit MouseMove(Button, Shift, X, Y); });
    connect(b, &vb::vbButton::MouseUp, this,
            [this](short& Button, short& Shift, float& X, float& Y) { emit MouseUp(Button, Shift, X, Y); });
    connect(b, &vb::vbButton::KeyPress, this, [this](short& KeyAscii) { emit KeyPress(KeyAscii); });
    connect(b, &vb::vbButton::KeyDown, this,
            [this](short& KeyCode, short& Shift) { emit KeyDown(KeyCode, Shift); });
    connect(b, &vb::vbButton::KeyUp, this,
            [this](short& KeyCode, short& Shift) { emit KeyUp(KeyCode, Shift); });
    connect(b, &vb::vbButton::MouseOver, this, &vbButton::MouseOver);
    connect(b, &vb::vbButton::MouseOut, this, &vbButton::MouseOut);
}

vbButton::~vbButton()
{
    // Whatever the inner button raises on its way out reaches a whole widget.
    delete d->inner;
}

// ---- Properties ----------------------------------------------------------

uint vbButton::BackColor() const
{
    return d->inner->BackColor();
}
void vbButton::setBackColor(uint value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setBackColor(value); });
}
uint vbButton::BackOver() const
{
    return d->inner->BackOver();
}
void vbButton::setBackOver(uint value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setBackOver(value); });
}
uint vbButton::ForeColor() const
{
    return d->inner->ForeColor();
}
void vbButton::setForeColor(uint value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setForeColor(value); });
}
uint vbButton::ForeOver() const
{
    return d->inner->ForeOver();
}
void vbButton::setForeOver(uint value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setForeOver(value); });
}
uint vbButton::MaskColor() const
{
    return d->inner->MaskColor();
}
void vbButton::setMaskColor(uint value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setMaskColor(value); });
}
ButtonType vbButton::ButtonType() const
{
    return quintaro::ButtonType(d->inner->ButtonType());
}
void vbButton::setButtonType(quintaro::ButtonType value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setButtonType(value); });
}
QString vbButton::Caption() const
{
    return d->inner->Caption();
}
void vbButton::setCaption(const QString& value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setCaption(value); });
}
bool vbButton::Enabled() const
{
    return d->inner->Enabled();
}
void vbButton::setEnabled(bool value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setEnabled(value); });
}
QFont vbButton::Font() const
{
    return d->inner->Font();
}
void vbButton::setFont(const QFont& value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setFont(value); });
}
bool vbButton::FontBold() const
{
    return d->inner->FontBold();
}
void vbButton::setFontBold(bool value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setFontBold(value); });
}
bool vbButton::FontItalic() const
{
    return d->inner->FontItalic();
}
void vbButton::setFontItalic(bool value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setFontItalic(value); });
}
bool vbButton::FontUnderline() const
{
    return d->inner->FontUnderline();
}
void vbButton::setFontUnderline(bool value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setFontUnderline(value); });
}
int vbButton::FontSize() const
{
    return d->inner->FontSize();
}
void vbButton::setFontSize(int value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setFontSize(short(value)); });
}
QString vbButton::FontName() const
{
    return d->inner->FontName();
}
void vbButton::setFontName(const QString& value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setFontName(value); });
}
ColorScheme vbButton::ColorScheme() const
{
    return quintaro::ColorScheme(d->inner->ColorScheme());
}
void vbButton::setColorScheme(quintaro::ColorScheme value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setColorScheme(value); });
}
bool vbButton::ShowFocusRect() const
{
    return d->inner->ShowFocusRect();
}
void vbButton::setShowFocusRect(bool value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setShowFocusRect(value); });
}
MousePointer vbButton::MousePointer() const
{
    return quintaro::MousePointer(d->inner->MousePointer());
}
bool vbButton::setMousePointer(quintaro::MousePointer value)
{
    bool accepted = false;
    d->apply(this, [&](vb::vbButton& b) { accepted = b.setMousePointer(value); });
    return accepted;
}
QPixmap vbButton::MouseIcon() const
{
    return toPixmap(d->inner->MouseIcon());
}
void vbButton::setMouseIcon(const QPixmap& value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setMouseIcon(toPicture(value)); });
}
bool vbButton::HandPointer() const
{
    return d->inner->HandPointer();
}
void vbButton::setHandPointer(bool value)
{
    d->apply(this, [&](vb::vbButton& b) { (void)b.setHandPointer(value); });
}
int vbButton::hwnd() const
{
    return d->inner->hwnd();
}
bool vbButton::SoftBevel() const
{
    return d->inner->SoftBevel();
}
void vbButton::setSoftBevel(bool value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setSoftBevel(value); });
}
QPixmap vbButton::PictureNormal() const
{
    return toPixmap(d->inner->PictureNormal());
}
void vbButton::setPictureNormal(const QPixmap& value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setPictureNormal(toPicture(value)); });
}
QPixmap vbButton::PictureOver() const
{
    return toPixmap(d->inner->PictureOver());
}
void vbButton::setPictureOver(const QPixmap& value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setPictureOver(toPicture(value)); });
}
PicturePosition vbButton::PicturePosition() const
{
    return quintaro::PicturePosition(d->inner->PicturePosition());
}
void vbButton::setPicturePosition(quintaro::PicturePosition value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setPicturePosition(value); });
}
bool vbButton::UseMaskColor() const
{
    return d->inner->UseMaskColor();
}
void vbButton::setUseMaskColor(bool value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setUseMaskColor(value); });
}
bool vbButton::UseGreyscale() const
{
    return d->inner->UseGreyscale();
}
void vbButton::setUseGreyscale(bool value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setUseGreyscale(value); });
}
SpecialEffect vbButton::SpecialEffect() const
{
    return quintaro::SpecialEffect(d->inner->SpecialEffect());
}
void vbButton::setSpecialEffect(quintaro::SpecialEffect value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setSpecialEffect(value); });
}
bool vbButton::CheckBoxBehaviour() const
{
    return d->inner->CheckBoxBehaviour();
}
void vbButton::setCheckBoxBehaviour(bool value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setCheckBoxBehaviour(value); });
}
bool vbButton::Value() const
{
    return d->inner->Value();
}
void vbButton::setValue(bool value)
{
    d->apply(this, [&](vb::vbButton& b) { b.setValue(value); });
}
QString vbButton::Version()
{
    return vb::vbButton::Version();
}

void vbButton::DisableRefresh()
{
    d->inner->DisableRefresh();
}
void vbButton::Refresh()
{
    d->inner->Refresh();
}

// ---- Saved set, modes ----------------------------------------------------

void vbButton::load(const QJsonObject& properties)
{
    d->apply(this, [&](vb::vbButton& b) { b.load(properties); });
    d->relayout();
}

QJsonObject vbButton::save() const
{
    return d->inner->save();
}

void vbButton::initNew(const QString& displayName)
{
    d->apply(this, [&](vb::vbButton& b) {
        b.setAmbientDisplayName(displayName);
        b.initNew();
    });
    d->relayout();
}

void vbButton::setDesignMode(bool design)
{
    d->design = design;
    vb::vbButton* b = d->inner;
    b->setUserMode(!design);
    b->SetAccessKey();
    // On a form designer's page the designer owns the mouse and the keyboard.
    b->setMouseTracking(!design);
    b->setAttribute(Qt::WA_TransparentForMouseEvents, design);
    b->setFocusPolicy(design ? Qt::NoFocus : Qt::StrongFocus);
}

bool vbButton::designMode() const
{
    return d->design;
}

void vbButton::setDefaultLook(bool isDefault)
{
    d->inner->setDisplayAsDefault(isDefault);
}

QSize vbButton::sizeHint() const
{
    return {75, 23};
}
QSize vbButton::minimumSizeHint() const
{
    return {8, 8};
}

void vbButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    d->inner->setGeometry(rect());
}

} // namespace quintaro

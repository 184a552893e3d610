// The button's widget: Qt's events go to the private part, which holds the
// model; the property accessors translate between Qt's types (QPixmap, the
// enums) and the model's. What each let does, and what it reports as changed,
// is the model's.

#include <quintaro/vbButton.h>

#include "controls/vbButton/vbButtonAccessible.h"
#include "controls/vbButton/vbButtonPrivate.h"

#include <QFocusEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QShowEvent>

#include <limits>

namespace quintaro {

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

} // namespace

vbButton::vbButton(QWidget* parent) : QWidget(parent), d_ptr(std::make_unique<vbButtonPrivate>(this))
{
    Q_D(vbButton);
    vb::installButtonAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // hover tracking needs the moves without a button
    d->setAmbientDisplayName(QStringLiteral("vbButton"));
    d->initNew();
    resize(sizeHint());
}

vbButton::~vbButton()
{
    Q_D(vbButton);
    // Whatever the button raises on its way out reaches a whole widget.
    d->setOverTimerEnabled(false);
    d->handleTerminate();
}

// ---- Properties ----------------------------------------------------------

uint vbButton::BackColor() const
{
    return d_func()->BackColor();
}
void vbButton::setBackColor(uint value)
{
    d_func()->setBackColor(value);
}
uint vbButton::BackOver() const
{
    return d_func()->BackOver();
}
void vbButton::setBackOver(uint value)
{
    d_func()->setBackOver(value);
}
uint vbButton::ForeColor() const
{
    return d_func()->ForeColor();
}
void vbButton::setForeColor(uint value)
{
    d_func()->setForeColor(value);
}
uint vbButton::ForeOver() const
{
    return d_func()->ForeOver();
}
void vbButton::setForeOver(uint value)
{
    d_func()->setForeOver(value);
}
uint vbButton::MaskColor() const
{
    return d_func()->MaskColor();
}
void vbButton::setMaskColor(uint value)
{
    d_func()->setMaskColor(value);
}
ButtonType vbButton::ButtonType() const
{
    return quintaro::ButtonType(d_func()->ButtonType());
}
void vbButton::setButtonType(quintaro::ButtonType value)
{
    d_func()->setButtonType(value);
}
QString vbButton::Caption() const
{
    return d_func()->Caption();
}
void vbButton::setCaption(const QString& value)
{
    d_func()->setCaption(value);
}
bool vbButton::Enabled() const
{
    return d_func()->Enabled();
}
QFont vbButton::Font() const
{
    return d_func()->Font();
}
void vbButton::setFont(const QFont& value)
{
    d_func()->setFont(value);
}
bool vbButton::FontBold() const
{
    return d_func()->FontBold();
}
void vbButton::setFontBold(bool value)
{
    // The let, not the host's draw-time FontBold of the same name.
    d_func()->ButtonModel::setFontBold(value);
}
bool vbButton::FontItalic() const
{
    return d_func()->FontItalic();
}
void vbButton::setFontItalic(bool value)
{
    d_func()->setFontItalic(value);
}
bool vbButton::FontUnderline() const
{
    return d_func()->FontUnderline();
}
void vbButton::setFontUnderline(bool value)
{
    d_func()->setFontUnderline(value);
}
int vbButton::FontSize() const
{
    return d_func()->FontSize();
}
void vbButton::setFontSize(int value)
{
    // The property is 16 bits: a size beyond them is refused, never wrapped.
    if (value < std::numeric_limits<short>::min() || value > std::numeric_limits<short>::max())
        return;
    d_func()->setFontSize(short(value));
}
QString vbButton::FontName() const
{
    return d_func()->FontName();
}
void vbButton::setFontName(const QString& value)
{
    d_func()->setFontName(value);
}
ColorScheme vbButton::ColorScheme() const
{
    return quintaro::ColorScheme(d_func()->ColorScheme());
}
void vbButton::setColorScheme(quintaro::ColorScheme value)
{
    d_func()->setColorScheme(value);
}
bool vbButton::ShowFocusRect() const
{
    return d_func()->ShowFocusRect();
}
void vbButton::setShowFocusRect(bool value)
{
    d_func()->setShowFocusRect(value);
}
MousePointer vbButton::MousePointer() const
{
    return quintaro::MousePointer(d_func()->MousePointer());
}
bool vbButton::setMousePointer(quintaro::MousePointer value)
{
    return d_func()->setMousePointer(value);
}
QPixmap vbButton::MouseIcon() const
{
    return toPixmap(d_func()->MouseIcon());
}
void vbButton::setMouseIcon(const QPixmap& value)
{
    d_func()->setMouseIcon(toPicture(value));
}
bool vbButton::HandPointer() const
{
    return d_func()->HandPointer();
}
void vbButton::setHandPointer(bool value)
{
    (void)d_func()->setHandPointer(value);
}
int vbButton::hwnd() const
{
    return d_func()->hwnd();
}
bool vbButton::SoftBevel() const
{
    return d_func()->SoftBevel();
}
void vbButton::setSoftBevel(bool value)
{
    d_func()->setSoftBevel(value);
}
QPixmap vbButton::PictureNormal() const
{
    return toPixmap(d_func()->PictureNormal());
}
void vbButton::setPictureNormal(const QPixmap& value)
{
    d_func()->setPictureNormal(toPicture(value));
}
QPixmap vbButton::PictureOver() const
{
    return toPixmap(d_func()->PictureOver());
}
void vbButton::setPictureOver(const QPixmap& value)
{
    d_func()->setPictureOver(toPicture(value));
}
PicturePosition vbButton::PicturePosition() const
{
    return quintaro::PicturePosition(d_func()->PicturePosition());
}
void vbButton::setPicturePosition(quintaro::PicturePosition value)
{
    d_func()->setPicturePosition(value);
}
bool vbButton::UseMaskColor() const
{
    return d_func()->UseMaskColor();
}
void vbButton::setUseMaskColor(bool value)
{
    d_func()->setUseMaskColor(value);
}
bool vbButton::UseGreyscale() const
{
    return d_func()->UseGreyscale();
}
void vbButton::setUseGreyscale(bool value)
{
    d_func()->setUseGreyscale(value);
}
SpecialEffect vbButton::SpecialEffect() const
{
    return quintaro::SpecialEffect(d_func()->SpecialEffect());
}
void vbButton::setSpecialEffect(quintaro::SpecialEffect value)
{
    d_func()->setSpecialEffect(value);
}
bool vbButton::CheckBoxBehaviour() const
{
    return d_func()->CheckBoxBehaviour();
}
void vbButton::setCheckBoxBehaviour(bool value)
{
    d_func()->setCheckBoxBehaviour(value);
}
bool vbButton::Value() const
{
    return d_func()->Value();
}
void vbButton::setValue(bool value)
{
    d_func()->setValue(value);
}
QString vbButton::Version()
{
    return vbButtonPrivate::Version();
}

void vbButton::DisableRefresh()
{
    d_func()->DisableRefresh();
}
void vbButton::Refresh()
{
    d_func()->Refresh();
}

// ---- Saved set, modes ----------------------------------------------------

// A loaded or new set is laid out and drawn as a resize does.
void vbButton::load(const QJsonObject& properties)
{
    Q_D(vbButton);
    d->ControlSite::load(properties);
    d->handleResize();
    d->Refresh();
}

QJsonObject vbButton::save() const
{
    return const_cast<vbButtonPrivate*>(d_func())->save();
}

void vbButton::initNew(const QString& displayName)
{
    Q_D(vbButton);
    d->setAmbientDisplayName(displayName);
    d->ControlSite::initNew();
    d->handleResize();
    d->Refresh();
}

void vbButton::setDesignMode(bool design)
{
    d_func()->setDesignMode(design);
}

bool vbButton::designMode() const
{
    return d_func()->designMode();
}

void vbButton::setDefaultLook(bool isDefault)
{
    d_func()->setDisplayAsDefault(isDefault);
}

QSize vbButton::sizeHint() const
{
    return {75, 23};
}
QSize vbButton::minimumSizeHint() const
{
    return {8, 8};
}

// ---- Events ---------------------------------------------------------------

bool vbButton::event(QEvent* event)
{
    Q_D(vbButton);
    if (d->widgetEvent(event))
        return true;
    // A handler of the event (a Click that closes the window) may delete the button.
    QPointer<vbButton> alive(this);
    const bool result = QWidget::event(event);
    if (alive)
        d->onEvent(event);
    return result;
}

void vbButton::paintEvent(QPaintEvent*)
{
    d_func()->onPaint();
}

void vbButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    d_func()->onResize();
}

void vbButton::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    d_func()->onShow(event->spontaneous());
}

void vbButton::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    d_func()->onHide(event->spontaneous());
}

void vbButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    Q_D(vbButton);
    QPointer<vbButton> alive(this);
    d->onChange(event);
    if (alive && event->type() == QEvent::EnabledChange)
        d->enabledChanged();
}

// On a form designer's page the designer owns the mouse and the keyboard.
void vbButton::mousePressEvent(QMouseEvent* event)
{
    if (designMode())
        return QWidget::mousePressEvent(event);
    d_func()->mousePress(event);
}

void vbButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (designMode())
        return QWidget::mouseReleaseEvent(event);
    d_func()->mouseRelease(event);
}

void vbButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (designMode())
        return QWidget::mouseDoubleClickEvent(event);
    d_func()->mouseDoubleClick(event);
}

void vbButton::mouseMoveEvent(QMouseEvent* event)
{
    if (designMode())
        return QWidget::mouseMoveEvent(event);
    d_func()->mouseMove(event);
}

void vbButton::keyPressEvent(QKeyEvent* event)
{
    if (designMode())
        return QWidget::keyPressEvent(event);
    d_func()->keyPress(event);
}

void vbButton::keyReleaseEvent(QKeyEvent* event)
{
    if (designMode())
        return QWidget::keyReleaseEvent(event);
    d_func()->keyRelease(event);
}

void vbButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    d_func()->focusIn(event);
}

void vbButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    d_func()->focusOut(event);
}

} // namespace quintaro

#include "platform/forms/UserControl.h"

#include "platform/forms/AccessLabel.h"

#include "platform/gdi/SysColors.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QShortcut>
#include <optional>

namespace forms {

namespace {

// The region's device pixels as a path in logical coordinates: every edge lies on a
// whole device pixel, so the unantialiased clip takes exactly those pixels.
QPainterPath deviceShapePath(const gdi::Region& shape, double scale)
{
    QPainterPath path;
    const gdi::Region device = shape.scaled(scale);
    for (const QRect& r : device.toQRegion())
        path.addRect(QRectF(r.x() / scale, r.y() / scale, r.width() / scale, r.height() / scale));
    return path;
}

UserControl::PointerProbe& pointerProbe()
{
    static UserControl::PointerProbe probe;
    return probe;
}

std::int32_t nextWindowHandle()
{
    // Small, even, never 0: looks like the handles the program's code compared.
    static std::int32_t next = 0x10000;
    next += 4;
    return next;
}

// A pointer code that the platform offers as a stock cursor.
std::optional<Qt::CursorShape> stockCursor(int code)
{
    switch (code) {
    case vbArrow:
    case vbIconPointer:
        return Qt::ArrowCursor;
    case vbCrosshair:
        return Qt::CrossCursor;
    case vbIbeam:
        return Qt::IBeamCursor;
    case vbSizePointer:
    case vbSizeAll:
        return Qt::SizeAllCursor;
    case vbSizeNESW:
        return Qt::SizeBDiagCursor;
    case vbSizeNS:
        return Qt::SizeVerCursor;
    case vbSizeNWSE:
        return Qt::SizeFDiagCursor;
    case vbSizeWE:
        return Qt::SizeHorCursor;
    case vbUpArrow:
        return Qt::UpArrowCursor;
    case vbHourglass:
        return Qt::WaitCursor;
    case vbNoDrop:
        return Qt::ForbiddenCursor;
    case vbArrowHourglass:
        return Qt::BusyCursor;
    case vbArrowQuestion:
        return Qt::WhatsThisCursor;
    default:
        return std::nullopt;
    }
}

} // namespace

UserControl::UserControl(QWidget* parent)
    : QWidget(parent), m_dc(m_surface), m_backColor(gdi::GetSysColor(gdi::COLOR_BTNFACE)),
      m_hwnd(nextWindowHandle())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_dc.selectFont(font());
}

UserControl::~UserControl() = default;

void UserControl::initNew()
{
    InitProperties();
}

void UserControl::load(const QJsonObject& properties)
{
    load(PropertyBag::fromJson(properties));
}

void UserControl::load(const PropertyBag& bag)
{
    ReadProperties(bag);
    // What the lets did while loading is the saved state itself.
    m_dirty = false;
}

PropertyBag UserControl::saveBag()
{
    PropertyBag bag;
    bag.setExtent(gdi::pixelsToHimetric(width()), gdi::pixelsToHimetric(height()));
    WriteProperties(bag);
    m_dirty = false;
    return bag;
}

void UserControl::cls()
{
    ++m_clearCount;
    m_surface.fill(m_backColor);
    // Every drawing pass starts here; what it draws next must reach the screen
    // without waiting for some other reason to repaint.
    update();
}

void UserControl::setClearColor(gdi::ColorRef color)
{
    m_backColor = color;
}

void UserControl::refresh()
{
    repaint();
}

void UserControl::setShape(const gdi::Region& region)
{
    m_shape = region;
    // Where the shape leaves the client area the parent is painted beneath.
    setAttribute(Qt::WA_OpaquePaintEvent, region.isEmpty());
    if (region.isEmpty())
        clearMask();
    else
        setMask(region.toQRegion());
}

bool UserControl::shapeContains(const QPoint& p) const
{
    if (!rect().contains(p))
        return false;
    return m_shape.isEmpty() || m_shape.contains(p.x(), p.y());
}

void UserControl::setControlFont(const QFont& font)
{
    QWidget::setFont(font);
    m_dc.selectFont(font);
}

bool UserControl::setPointerCode(int code)
{
    if (code != vbDefault && code != vbCustom && !stockCursor(code))
        return false;
    m_pointerCode = std::int16_t(code);
    applyCursor();
    return true;
}

bool UserControl::setPointerIcon(const gdi::PicturePtr& icon)
{
    if (icon && icon->image.isNull())
        return false;
    m_pointerIcon = icon;
    applyCursor();
    return true;
}

void UserControl::applyCursor()
{
    if (m_pointerCode == vbCustom) {
        if (!m_pointerIcon) {
            unsetCursor();
            return;
        }
        const QImage& img = m_pointerIcon->image;
        // A cursor image may carry its hot spot; an icon's is its centre.
        bool okX = false, okY = false;
        int hx = img.text(QStringLiteral("HotspotX")).toInt(&okX);
        int hy = img.text(QStringLiteral("HotspotY")).toInt(&okY);
        if (!okX || !okY) {
            hx = img.width() / 2;
            hy = img.height() / 2;
        }
        setCursor(QCursor(QPixmap::fromImage(img), hx, hy));
        return;
    }
    if (auto shape = stockCursor(m_pointerCode))
        setCursor(*shape);
    else
        unsetCursor();
}

void UserControl::setAccessKeys(const QString& keys)
{
    if (keys == m_accessKeys)
        return;
    m_accessKeys = keys;
    rebuildShortcuts();
}

void UserControl::rebuildShortcuts()
{
    qDeleteAll(m_shortcuts);
    m_shortcuts.clear();
    for (QChar ch : std::as_const(m_accessKeys)) {
        const QChar upper = ch.toUpper();
        if (upper.isSpace() || upper.unicode() < 0x20)
            continue;
        const auto key = Qt::Key(upper.unicode());
        const QString keyText(ch);
        // Alt+key reaches the control from anywhere in its window; the plain key
        // too, unless the focus widget takes it as text (a text box claims
        // printable keys before shortcuts are looked at).
        for (QKeyCombination combo : {QKeyCombination(Qt::AltModifier, key), QKeyCombination(key)}) {
            auto* sc = new QShortcut(QKeySequence(combo), this);
            sc->setContext(Qt::WindowShortcut);
            sc->setAutoRepeat(false);
            connect(sc, &QShortcut::activated, this, [this, keyText] { AccessKeyPress(keyText); });
            // Another control of the window holds the key too: the press only moves
            // the focus on to the next holder.
            connect(sc, &QShortcut::activatedAmbiguously, this,
                    [this, upper] { cycleAccessKey(window(), upper); });
            m_shortcuts.append(sc);
        }
    }
}

QFont UserControl::ambientFont() const
{
    if (m_hasAmbientFont)
        return m_ambientFont;
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void UserControl::setAmbientDisplayName(const QString& name)
{
    m_displayName = name;
    AmbientChanged(QStringLiteral("DisplayName"));
}

void UserControl::setAmbientFont(const QFont& font)
{
    m_ambientFont = font;
    m_hasAmbientFont = true;
    AmbientChanged(QStringLiteral("Font"));
}

void UserControl::setUserMode(bool userMode)
{
    m_userMode = userMode;
    AmbientChanged(QStringLiteral("UserMode"));
}

void UserControl::setDisplayAsDefault(bool isDefault)
{
    m_displayAsDefault = isDefault;
    AmbientChanged(QStringLiteral("DisplayAsDefault"));
}

void UserControl::propertyChanged(const QString& name)
{
    m_dirty = true;
    emit propertyChangedNotified(name);
}

void UserControl::setCapture()
{
    m_captured = true;
    if (isVisible())
        grabMouse();
}

void UserControl::setPointerProbe(PointerProbe probe)
{
    pointerProbe() = std::move(probe);
}

bool UserControl::hasPointerProbe()
{
    return static_cast<bool>(pointerProbe());
}

QWidget* UserControl::widgetUnderPointer()
{
    if (pointerProbe())
        return pointerProbe()();
    return QApplication::widgetAt(QCursor::pos());
}

void UserControl::sendTabKey(bool backwards)
{
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != window())
        target = this;
    const Qt::Key key = backwards ? Qt::Key_Backtab : Qt::Key_Tab;
    const Qt::KeyboardModifiers mods = backwards ? Qt::ShiftModifier : Qt::NoModifier;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, mods));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, mods));
}

// The surface holds device pixels: it is laid 1:1 over the widget's device pixels.
// A shaped control paints only its shape as the screen sees it, the device edges
// of the region, so the parent shows through everywhere else (the widget mask,
// which Qt scales with its own rounding, only routes the mouse).
void UserControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_surface.scale() != devicePixelRatioF())
        QMetaObject::invokeMethod(this, &UserControl::followScale, Qt::QueuedConnection);
    if (m_surface.isNull())
        return;
    if (!m_shape.isEmpty())
        p.setClipPath(deviceShapePath(m_shape, m_surface.scale()));
    if (!m_surface.isScaled())
        p.drawImage(0, 0, m_surface.image());
    else
        p.drawImage(QRectF(0, 0, m_surface.logicalWidth(), m_surface.logicalHeight()), m_surface.image(),
                    QRectF(m_surface.image().rect()));
}

void UserControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_surface.resize(width(), height(), m_backColor, devicePixelRatioF());
    Resize();
}

bool UserControl::event(QEvent* event)
{
    const bool result = QWidget::event(event);
    // A move to another screen, or the screen's own scale changing.
    if (event->type() == QEvent::ScreenChangeInternal)
        followScale();
    return result;
}

void UserControl::followScale()
{
    if (m_surface.scale() == devicePixelRatioF())
        return;
    m_surface.resize(width(), height(), m_backColor, devicePixelRatioF());
    QPointer<UserControl> alive(this);
    Resize();
    // The look is made anew as at a show: the background behind it is taken again too.
    if (alive && isVisible())
        Show();
}

void UserControl::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        Show();
}

void UserControl::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Hide();
}

void UserControl::releaseCapture()
{
    if (!m_captured)
        return;
    m_captured = false;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

void UserControl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A container may set the font on the widget directly; drawing follows it.
    if (event->type() == QEvent::FontChange)
        m_dc.selectFont(font());
    // The desktop's colours changed: for a control that is the ambient back colour.
    if (event->type() == QEvent::PaletteChange)
        AmbientChanged(QStringLiteral("BackColor"));
}

} // namespace forms

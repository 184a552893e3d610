#include "platform/forms/ControlSite.h"

#include "platform/forms/AccessLabel.h"

#include "platform/gdi/SysColors.h"

#include <QApplication>
#include <QCursor>
#include <QHash>
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

ControlSite::PointerProbe& pointerProbe()
{
    static ControlSite::PointerProbe probe;
    return probe;
}

// Never destroyed: a widget that outlives the statics still leaves it cleanly.
QHash<const QWidget*, ControlSite*>& sites()
{
    static auto* const all = new QHash<const QWidget*, ControlSite*>;
    return *all;
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

ControlSite::ControlSite(QWidget& widget)
    : m_widget(widget), m_dc(m_surface), m_backColor(gdi::GetSysColor(gdi::COLOR_BTNFACE)),
      m_hwnd(nextWindowHandle())
{
    m_widget.setAttribute(Qt::WA_OpaquePaintEvent);
    m_dc.selectFont(m_widget.font());
    sites().insert(&m_widget, this);
}

ControlSite::~ControlSite()
{
    sites().remove(&m_widget);
}

ControlSite* ControlSite::of(const QWidget* widget)
{
    return sites().value(widget, nullptr);
}

void ControlSite::initNew()
{
    InitProperties();
}

void ControlSite::load(const QJsonObject& properties)
{
    load(PropertyBag::fromJson(properties));
}

void ControlSite::load(const PropertyBag& bag)
{
    ReadProperties(bag);
    // What the lets did while loading is the saved state itself.
    m_dirty = false;
}

PropertyBag ControlSite::saveBag()
{
    PropertyBag bag;
    bag.setExtent(gdi::pixelsToHimetric(m_widget.width()), gdi::pixelsToHimetric(m_widget.height()));
    WriteProperties(bag);
    m_dirty = false;
    return bag;
}

void ControlSite::cls()
{
    ++m_clearCount;
    m_surface.fill(m_backColor);
    // Every drawing pass starts here; what it draws next must reach the screen
    // without waiting for some other reason to repaint.
    m_widget.update();
}

void ControlSite::setClearColor(gdi::ColorRef color)
{
    m_backColor = color;
}

void ControlSite::refresh()
{
    m_widget.repaint();
}

void ControlSite::setShape(const gdi::Region& region)
{
    m_shape = region;
    // Where the shape leaves the client area the parent is painted beneath.
    m_widget.setAttribute(Qt::WA_OpaquePaintEvent, region.isEmpty());
    if (region.isEmpty())
        m_widget.clearMask();
    else
        m_widget.setMask(region.toQRegion());
}

bool ControlSite::shapeContains(const QPoint& p) const
{
    if (!m_widget.rect().contains(p))
        return false;
    return m_shape.isEmpty() || m_shape.contains(p.x(), p.y());
}

void ControlSite::setControlFont(const QFont& font)
{
    m_widget.setFont(font);
    m_dc.selectFont(font);
}

QFont ControlSite::controlFont() const
{
    return m_widget.font();
}

bool ControlSite::setPointerCode(int code)
{
    if (code != vbDefault && code != vbCustom && !stockCursor(code))
        return false;
    m_pointerCode = std::int16_t(code);
    applyCursor();
    return true;
}

bool ControlSite::setPointerIcon(const gdi::PicturePtr& icon)
{
    if (icon && icon->image.isNull())
        return false;
    m_pointerIcon = icon;
    applyCursor();
    return true;
}

void ControlSite::applyCursor()
{
    if (m_pointerCode == vbCustom) {
        if (!m_pointerIcon) {
            m_widget.unsetCursor();
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
        m_widget.setCursor(QCursor(QPixmap::fromImage(img), hx, hy));
        return;
    }
    if (auto shape = stockCursor(m_pointerCode))
        m_widget.setCursor(*shape);
    else
        m_widget.unsetCursor();
}

void ControlSite::setAccessKeys(const QString& keys)
{
    if (keys == m_accessKeys)
        return;
    m_accessKeys = keys;
    rebuildShortcuts();
}

void ControlSite::rebuildShortcuts()
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
            auto* sc = new QShortcut(QKeySequence(combo), &m_widget);
            sc->setContext(Qt::WindowShortcut);
            sc->setAutoRepeat(false);
            QObject::connect(sc, &QShortcut::activated, &m_widget,
                             [this, keyText] { AccessKeyPress(keyText); });
            // Another control of the window holds the key too: the press only moves
            // the focus on to the next holder.
            QObject::connect(sc, &QShortcut::activatedAmbiguously, &m_widget,
                             [this, upper] { cycleAccessKey(m_widget.window(), upper); });
            m_shortcuts.append(sc);
        }
    }
}

QFont ControlSite::ambientFont() const
{
    if (m_hasAmbientFont)
        return m_ambientFont;
    return m_widget.parentWidget() ? m_widget.parentWidget()->font() : QApplication::font();
}

void ControlSite::setAmbientDisplayName(const QString& name)
{
    m_displayName = name;
    AmbientChanged(QStringLiteral("DisplayName"));
}

void ControlSite::setAmbientFont(const QFont& font)
{
    m_ambientFont = font;
    m_hasAmbientFont = true;
    AmbientChanged(QStringLiteral("Font"));
}

void ControlSite::setUserMode(bool userMode)
{
    m_userMode = userMode;
    AmbientChanged(QStringLiteral("UserMode"));
}

void ControlSite::setDisplayAsDefault(bool isDefault)
{
    m_displayAsDefault = isDefault;
    AmbientChanged(QStringLiteral("DisplayAsDefault"));
}

void ControlSite::propertyChanged(const QString& name)
{
    m_dirty = true;
    PropertyChangeNoted(name);
}

void ControlSite::setCapture()
{
    m_captured = true;
    if (m_widget.isVisible())
        m_widget.grabMouse();
}

void ControlSite::releaseCapture()
{
    if (!m_captured)
        return;
    m_captured = false;
    if (QWidget::mouseGrabber() == &m_widget)
        m_widget.releaseMouse();
}

void ControlSite::setPointerProbe(PointerProbe probe)
{
    pointerProbe() = std::move(probe);
}

bool ControlSite::hasPointerProbe()
{
    return static_cast<bool>(pointerProbe());
}

QWidget* ControlSite::widgetUnderPointer()
{
    if (pointerProbe())
        return pointerProbe()();
    return QApplication::widgetAt(QCursor::pos());
}

void ControlSite::sendTabKey(bool backwards)
{
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != m_widget.window())
        target = &m_widget;
    const Qt::Key key = backwards ? Qt::Key_Backtab : Qt::Key_Tab;
    const Qt::KeyboardModifiers mods = backwards ? Qt::ShiftModifier : Qt::NoModifier;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, mods));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, mods));
}

// The surface holds device pixels: it is laid 1:1 over the widget's device pixels.
// A shaped control paints only its shape as the screen sees it, the device edges
// of the region, so the parent shows through everywhere else (the widget mask,
// which Qt scales with its own rounding, only routes the mouse).
void ControlSite::onPaint()
{
    QPainter p(&m_widget);
    if (m_surface.scale() != m_widget.devicePixelRatioF())
        QMetaObject::invokeMethod(
            &m_widget, [this] { followScale(); }, Qt::QueuedConnection);
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

void ControlSite::onResize()
{
    m_surface.resize(m_widget.width(), m_widget.height(), m_backColor, m_widget.devicePixelRatioF());
    Resize();
}

void ControlSite::onEvent(QEvent* event)
{
    // A move to another screen, or the screen's own scale changing.
    if (event->type() == QEvent::ScreenChangeInternal)
        followScale();
}

void ControlSite::followScale()
{
    if (m_surface.scale() == m_widget.devicePixelRatioF())
        return;
    m_surface.resize(m_widget.width(), m_widget.height(), m_backColor, m_widget.devicePixelRatioF());
    QPointer<QWidget> alive(&m_widget);
    Resize();
    // The look is made anew as at a show: the background behind it is taken again too.
    if (alive && m_widget.isVisible())
        Show();
}

void ControlSite::onShow(bool spontaneous)
{
    if (!spontaneous)
        Show();
}

void ControlSite::onHide(bool spontaneous)
{
    if (!spontaneous)
        Hide();
}

void ControlSite::onChange(QEvent* event)
{
    // A container may set the font on the widget directly; drawing follows it.
    if (event->type() == QEvent::FontChange)
        m_dc.selectFont(m_widget.font());
    // The desktop's colours changed: for a control that is the ambient back colour.
    if (event->type() == QEvent::PaletteChange)
        AmbientChanged(QStringLiteral("BackColor"));
}

} // namespace forms

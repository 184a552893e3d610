#pragma once
// The host of a user control, for the widget that shows it: a retained drawing
// surface (a paint event only shows it, so what was drawn survives covering), a
// window shape, the control's font, mouse pointer and icon, access keys, the
// ambient properties its container sets, the property-changed mark, and the
// save/load of its property bag.
//
// It is not a widget of its own: the widget it serves passes its paint, resize,
// show, hide and change events on (the on... calls), and the control overrides
// the notifications it cares about. The container drives the lifecycle: create,
// then initNew() for a new instance or load() for a saved one, then show;
// save() writes the bag.

#include "platform/forms/PropertyBag.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Picture.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"

#include <quintaro/vbButtonTypes.h>

#include <QFont>
#include <QJsonObject>
#include <QList>
#include <cstdint>
#include <functional>

class QEvent;
class QShortcut;
class QWidget;

namespace forms {

// Pointer codes of the MousePointer property.
using MousePointerCode = quintaro::MousePointer;
using enum quintaro::MousePointer;

class ControlSite {
public:
    explicit ControlSite(QWidget& widget);
    ControlSite(const ControlSite&) = delete;
    ControlSite& operator=(const ControlSite&) = delete;
    virtual ~ControlSite();

    // The site of a widget that has one, else nullptr.
    [[nodiscard]] static ControlSite* of(const QWidget* widget);

    // Lifecycle, driven by the container.
    void initNew();                           // a new instance: InitProperties
    void load(const QJsonObject& properties); // a saved one: ReadProperties
    void load(const PropertyBag& bag);
    // WriteProperties, after the extent entries; clears the changed mark.
    [[nodiscard]] QJsonObject save() { return saveBag().toJson(); }
    [[nodiscard]] PropertyBag saveBag();

    // Drawing surface, the size of the client area in logical pixels, drawn at
    // the widget's device pixel ratio. surfaceDc() has the control's font selected.
    [[nodiscard]] gdi::Surface& surface() { return m_surface; }
    [[nodiscard]] gdi::Dc& surfaceDc() { return m_dc; }
    // Cls: the whole surface in the clear colour (the button face unless set).
    void cls();
    [[nodiscard]] gdi::ColorRef clearColor() const { return m_backColor; }
    void setClearColor(gdi::ColorRef color);
    // Refresh: show the surface on the screen now.
    void refresh();
    // Number of cls() calls since creation: every full redraw of a control starts with one.
    [[nodiscard]] int clearCount() const { return m_clearCount; }

    // Window shape (the window's region); an empty region means the whole client area.
    void setShape(const gdi::Region& region);
    [[nodiscard]] const gdi::Region& shape() const { return m_shape; }
    [[nodiscard]] bool shapeContains(const QPoint& p) const;

    // The control's font (also selected into the surface DC).
    void setControlFont(const QFont& font);
    [[nodiscard]] QFont controlFont() const;

    // Mouse pointer (pointer code) and icon (used with vbCustom). Both return
    // false, changing nothing, for a code or picture the host cannot use.
    bool setPointerCode(int code);
    [[nodiscard]] std::int16_t pointerCode() const { return m_pointerCode; }
    bool setPointerIcon(const gdi::PicturePtr& icon);
    [[nodiscard]] const gdi::PicturePtr& pointerIcon() const { return m_pointerIcon; }

    // AccessKeys: each character is a key; Alt+key anywhere in the window, or the
    // plain key while the focus is on a control that takes no text, gives
    // AccessKeyPress(). An empty string clears them.
    void setAccessKeys(const QString& keys);
    [[nodiscard]] const QString& accessKeys() const { return m_accessKeys; }

    // Ambient properties, set by the container; each change gives AmbientChanged().
    [[nodiscard]] const QString& ambientDisplayName() const { return m_displayName; }
    void setAmbientDisplayName(const QString& name);
    [[nodiscard]] QFont ambientFont() const;
    void setAmbientFont(const QFont& font);
    [[nodiscard]] bool userMode() const { return m_userMode; } // false: design mode
    void setUserMode(bool userMode);
    [[nodiscard]] bool displayAsDefault() const { return m_displayAsDefault; }
    void setDisplayAsDefault(bool isDefault);

    // PropertyChanged: marks the container's saved state as changed.
    void propertyChanged(const QString& name = {});
    [[nodiscard]] bool isDirty() const { return m_dirty; }
    void clearDirty() { m_dirty = false; }

    // Mouse capture beyond a press (SetCapture); the control ends it with
    // releaseCapture() when the button is released.
    void setCapture();
    void releaseCapture();
    [[nodiscard]] bool hasCapture() const { return m_captured; }

    // Stable identifier of the control's window.
    [[nodiscard]] std::int32_t hWnd() const { return m_hwnd; }

    // The widget under the pointer as a test says it is (GetCursorPos +
    // WindowFromPoint stand-in). Controls answer from their own pointer events
    // while no probe is set; the default asks QCursor, which Wayland cannot.
    using PointerProbe = std::function<QWidget*()>;
    static void setPointerProbe(PointerProbe probe); // empty: back to the default
    [[nodiscard]] static bool hasPointerProbe();
    [[nodiscard]] static QWidget* widgetUnderPointer();

    // Keystroke synthesis of Tab / Shift+Tab: posted, not waited for.
    void sendTabKey(bool backwards);

    // The widget's own events, passed on after QWidget's handling of each.
    void onPaint();
    void onResize();
    void onEvent(QEvent* event);
    void onShow(bool spontaneous);
    void onHide(bool spontaneous);
    void onChange(QEvent* event);

protected:
    // Notifications for the control.
    virtual void InitProperties() {}
    virtual void ReadProperties(const PropertyBag&) {}
    virtual void WriteProperties(PropertyBag&) {}
    virtual void Resize() {}
    virtual void Show() {}
    virtual void Hide() {}
    virtual void AmbientChanged(const QString&) {}
    virtual void AccessKeyPress(const QString&) {}
    // After the changed mark is set.
    virtual void PropertyChangeNoted(const QString&) {}

    [[nodiscard]] QWidget& siteWidget() const { return m_widget; }

private:
    // The surface follows the device pixel ratio: rebuilt and redrawn when it changed.
    void followScale();
    void applyCursor();
    void rebuildShortcuts();

    QWidget& m_widget;
    gdi::Surface m_surface;
    gdi::Dc m_dc;
    gdi::ColorRef m_backColor;
    int m_clearCount = 0;
    gdi::Region m_shape;
    std::int16_t m_pointerCode = vbDefault;
    gdi::PicturePtr m_pointerIcon;
    QString m_accessKeys;
    QList<QShortcut*> m_shortcuts;
    QString m_displayName;
    QFont m_ambientFont;
    bool m_hasAmbientFont = false;
    bool m_userMode = true;
    bool m_displayAsDefault = false;
    bool m_dirty = false;
    bool m_captured = false;
    std::int32_t m_hwnd;
};

} // namespace forms

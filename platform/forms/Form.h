#pragma once
// A window of the program, with the classic form lifecycle.
//
// The Form object is the window's "form object": it exists before the window is
// loaded and after it is unloaded, and keeps its member variables (the
// window-level variables) all the while. Loading creates a fresh top-level widget
// from the window description ":/forms/<name>.json", so every control starts from
// its design values; unloading destroys that widget again.
//
// Lifecycle, in order:
//   load():   build the widgets -> connectControls() -> Form_Load() -> loaded()
//   show():   load() if needed, centre on the screen, show, focus the first
//             control in tab order that can take the focus
//   showModal(): like show(), but application-modal (every other window takes
//             no input) and it returns only when the window has unloaded,
//             running a nested event loop meanwhile (timers keep ticking)
//   unload(mode) / the close box / Alt+F4:
//             Form_QueryUnload(mode) may refuse; otherwise Form_Unload(),
//             timers stop, the widgets are destroyed, unloaded()
//
// A subclass connects its handlers in connectControls() (the controls are new
// on every load) and does its start-up work in Form_Load():
//
//     class frmAbout : public forms::Form {
//     public:
//         frmAbout() : Form(QStringLiteral("frmAbout")) {}
//     protected:
//         void connectControls() override {
//             forms::onEvent(controls().object("cmd_tutup"), "Click()", [this] { unload(); });
//             forms::onEvent(controls().timer("Timer1"), "Timer()", [this] { Timer1Timer(); });
//         }
//         void Form_Load() override { controls().timer("Timer1")->setInterval(50); }
//     };

#include "platform/forms/Controls.h"

#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace forms {

// Why a window is being closed (the values the classic runtime used).
enum class UnloadMode {
    FormControlMenu = 0, // the close box, the system menu, Alt+F4
    FormCode = 1,        // the program called unload()
    AppWindows = 2,      // the desktop session is ending
    TaskManager = 3,
};

class Form : public QObject {
    Q_OBJECT
public:
    // `name` is the window's name and the name of its description resource.
    explicit Form(const QString& name, QObject* parent = nullptr);
    // Uses the given description instead of the resource (tests, generated windows).
    Form(const QString& name, const QJsonObject& description, QObject* parent = nullptr);
    // Destroys a loaded window without asking.
    ~Form() override;

    [[nodiscard]] QString name() const { return m_name; }
    [[nodiscard]] bool isLoaded() const { return m_window != nullptr; }
    // The loaded top-level widget, or nullptr.
    [[nodiscard]] QWidget* window() const { return m_window; }
    // The loaded controls (empty while not loaded).
    [[nodiscard]] const Controls& controls() const { return m_controls; }

    void load();
    void show();
    void showModal();
    // Returns false when Form_QueryUnload refused (the window stays as it was).
    bool unload(UnloadMode mode = UnloadMode::FormCode);

    // Number of showModal() calls currently waiting (nested loops).
    [[nodiscard]] static int modalDepth();

Q_SIGNALS:
    void loaded();
    void shown();
    void unloaded();

protected:
    virtual void connectControls() {}
    virtual void Form_Load() {}
    // Return false to refuse the close.
    virtual bool Form_QueryUnload(UnloadMode mode)
    {
        Q_UNUSED(mode);
        return true;
    }
    virtual void Form_Unload() {}

private:
    void destroyWindow();
    void focusFirstControl();

    QString m_name;
    QJsonObject m_description;
    bool m_hasDescription = false;
    QPointer<QWidget> m_window;
    Controls m_controls;
    bool m_unloading = false;
};

// Centres a top-level widget on its screen's available area.
void centerOnScreen(QWidget* window);

} // namespace forms

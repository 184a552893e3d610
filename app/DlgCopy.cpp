#include "app/DlgCopy.h"

#include "app/UptimeReport.h"
#include "app/dialogs/clsDlg.h"
#include "platform/copy-ui/CopyJob.h"
#include "platform/forms/ControlText.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/FormatTwoDigits.h"
#include "platform/forms/MessageBox.h"
#include "platform/forms/SystemClock.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QRadioButton>
#include <QSessionManager>
#include <QTimer>

#include <optional>

namespace app {

using forms::MsgBox;
using forms::MsgButtons;
using forms::MsgIcon;

DlgCopy::DlgCopy() : Form(QStringLiteral("DlgCopy")), m_fileOperation(shell::SHFileOperationA)
{
    m_popupMenu = [](QMenu* menu) { menu->exec(QCursor::pos()); };
#ifndef QT_NO_SESSIONMANAGER
    // The desktop session ending is one more way of closing: ask as well, and
    // keep the session going if the answer is No.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (isLoaded() && manager.allowsInteraction()) {
            // Yes during a copy ends the program once the copy has stopped.
            if (!unload(forms::UnloadMode::AppWindows) && !m_quitAfterCopy)
                manager.cancel();
            manager.release();
        }
    });
#endif
}

QString DlgCopy::clockText(const QTime& time)
{
    return forms::FormatTwoDigits(time.hour()) + u':' + forms::FormatTwoDigits(time.minute()) + u':'
           + forms::FormatTwoDigits(time.second());
}

void DlgCopy::connectControls()
{
    const forms::Controls& c = controls();
    c.onArrayEvent(QStringLiteral("btn"), "Click()", [this](int index) { btnClick(index); });
    forms::onEvent(c.object(QStringLiteral("vbButton1")), "Click()", [this] { vbButton1Click(); });
    forms::onEvent(c.timer(QStringLiteral("Timer1")), "Timer()", [this] { Timer1Timer(); });
    forms::onEvent(c.action(QStringLiteral("mnuCal")), "triggered()",
                   [this] { showToolWindow(m_toolWindows.calendar); });
    forms::onEvent(c.action(QStringLiteral("mnuCount")), "triggered()",
                   [this] { showToolWindow(m_toolWindows.countdown); });
    forms::onEvent(c.action(QStringLiteral("mnuStars")), "triggered()",
                   [this] { showToolWindow(m_toolWindows.stars); });
    forms::onEvent(c.action(QStringLiteral("mnuDetect")), "triggered()", [] { showUptimeReport(); });
    forms::onEvent(c.action(QStringLiteral("mnuAbout")), "triggered()",
                   [this] { showToolWindow(m_toolWindows.about); });
}

void DlgCopy::Form_Load()
{
    if (auto* file = controls().get<QRadioButton>(QStringLiteral("Opt"), 0))
        file->setChecked(true);
}

bool DlgCopy::Form_QueryUnload(forms::UnloadMode)
{
    if (m_quitAfterCopy)
        return !m_copying; // already answered Yes; the copy has stopped by now
    const bool quit = MsgBox(QStringLiteral("Are you sure you want to quit ?"), MsgButtons::YesNo,
                             MsgIcon::None, QStringLiteral("Exit"))
                      != forms::MsgResult::No;
    if (!quit || !m_copying)
        return quit;
    // The copy runs in a loop nested inside this window's own click: stop it and
    // let copyFile() close the window once the service has returned.
    m_quitAfterCopy = true;
    if (shell::CopyJob* job = shell::runningFileOperation())
        job->kill();
    return false;
}

QString DlgCopy::text(const QString& name, int index) const
{
    return forms::controlText(controls().object(name, index));
}

void DlgCopy::setText(const QString& name, int index, const QString& value)
{
    forms::setControlText(controls().object(name, index), value);
}

void DlgCopy::btnClick(int index)
{
    switch (index) {
    case 0:
        copyFile();
        break;
    case 1:
        browseSource();
        break;
    case 2:
        browseDestination();
        break;
    default:
        break;
    }
}

void DlgCopy::copyFile()
{
    const QString source = text(QStringLiteral("Txt"), 0);
    const QString destination = text(QStringLiteral("Txt"), 1);
    m_copying = true;
    const bool copied = ShellCopy(source, destination);
    m_copying = false;
    if (m_quitAfterCopy) {
        // Quit was confirmed during the copy: no result, the window closes as soon
        // as control is back in the event loop (this click is still on the stack).
        QTimer::singleShot(0, this, [this] { unload(forms::UnloadMode::FormCode); });
        return;
    }
    MsgBox(copied ? QStringLiteral("Copying Succesfuly!") : QStringLiteral("Copying Failed!"), MsgButtons::OK,
           MsgIcon::Information, QStringLiteral("INFORMATION"));
}

bool DlgCopy::ShellCopy(const QString& source, const QString& destination)
{
    try {
        if (source.isEmpty()) {
            MsgBox(QStringLiteral("Empty Source File!"), MsgButtons::OK, MsgIcon::Exclamation,
                   QStringLiteral("WARNING"));
            return false;
        }
        if (destination.isEmpty()) {
            MsgBox(QStringLiteral("Destination File Is Empty!"), MsgButtons::OK, MsgIcon::Exclamation,
                   QStringLiteral("WARNING"));
            return false;
        }
        if (!m_fileOperation)
            return false; // no entry point to call
        shell::SHFILEOPSTRUCTA request;
        request.hwnd = nullptr; // the shell's windows get no owner
        request.wFunc = shell::FO_COPY;
        // Lists of one name, each ended by two NULs.
        request.pFrom = source.toLocal8Bit() + QByteArray(2, '\0');
        request.pTo = destination.toLocal8Bit() + QByteArray(2, '\0');
        request.fFlags = shell::FOF_ALLOWUNDO;
        request.fAnyOperationsAborted = false;
        return m_fileOperation(request) == 0;
    } catch (...) {
        return false;
    }
}

void DlgCopy::browseSource()
{
    auto* file = controls().get<QRadioButton>(QStringLiteral("Opt"), 0);
    auto* folder = controls().get<QRadioButton>(QStringLiteral("Opt"), 1);
    std::optional<clsDlg> dialogs; // made when the click needs it, gone when it ends
    if (file != nullptr && file->isChecked()) {
        dialogs.emplace();
        const bool multiSelect = false;
        const QString chosen = dialogs->OpenFlDlg(window(), QStringLiteral("All Files(*.*)|*.*"),
                                                  QStringLiteral("Open File"), QString(), multiSelect);
        setText(QStringLiteral("Txt"), 0, chosen);
    } else if (folder != nullptr && folder->isChecked()) {
        dialogs.emplace();
        const forms::HWND hwnd = window();
        setText(QStringLiteral("Txt"), 0, dialogs->Folder(hwnd));
    }
}

void DlgCopy::browseDestination()
{
    clsDlg dialogs;
    const forms::HWND hwnd = window();
    setText(QStringLiteral("Txt"), 1, dialogs.Folder(hwnd));
}

void DlgCopy::vbButton1Click()
{
    if (QMenu* menu = controls().menu(QStringLiteral("mnu")); menu != nullptr && m_popupMenu)
        m_popupMenu(menu);
}

void DlgCopy::Timer1Timer()
{
    setText(QStringLiteral("Label5"), -1, clockText(forms::Now().time()));
}

void DlgCopy::showToolWindow(const FormFactory& factory)
{
    if (!factory)
        return;
    if (forms::Form* form = factory())
        form->showModal();
}

} // namespace app

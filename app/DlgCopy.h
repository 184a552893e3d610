#pragma once
// The main window: the copy tool (source and destination boxes, "File" /
// "Folder" choice, two browse buttons and the copy button), the digital clock,
// and the "&Menu" button whose pop-up opens the tool windows and the uptime
// report. Closing it, by any way, first asks "Are you sure you want to quit ?".
// Yes while a copy runs stops the copy and closes the window once it has stopped,
// without a result message; No leaves the copy running.

#include "platform/forms/Form.h"
#include "platform/shell/FileOperation.h"

#include <QString>
#include <QTime>

#include <functional>

class QMenu;

namespace app {

// Gives the shared instance of a tool window (created on first use), or nullptr.
using FormFactory = std::function<forms::Form*()>;

// The windows the menu opens; an empty entry makes its menu item do nothing.
struct ToolWindows {
    FormFactory calendar;  // mnuCal
    FormFactory countdown; // mnuCount
    FormFactory stars;     // mnuStars
    FormFactory about;     // mnuAbout
};

class DlgCopy : public forms::Form {
    Q_OBJECT
public:
    using FileOperation = std::function<int(shell::SHFILEOPSTRUCTA&)>;

    DlgCopy();

    void setToolWindows(ToolWindows windows) { m_toolWindows = std::move(windows); }
    // The shell's file-operation entry point, shell::SHFileOperationA unless a
    // test puts a fake here. Without one, a copy fails as if the entry point
    // could not be loaded.
    void setFileOperation(FileOperation operation) { m_fileOperation = std::move(operation); }
    // How the pop-up menu is shown (tests record it instead); by default it
    // opens at the pointer and returns when the menu closes.
    void setPopupMenu(std::function<void(QMenu*)> popup) { m_popupMenu = std::move(popup); }

    // Validates the paths (warning on an empty one), hands one copy request to
    // the shell and tells whether it succeeded. Never changes the boxes.
    bool ShellCopy(const QString& source, const QString& destination);

    // The clock's caption for a time of day: 09:05:00, 23:59:59.
    [[nodiscard]] static QString clockText(const QTime& time);

protected:
    void connectControls() override;
    void Form_Load() override;
    bool Form_QueryUnload(forms::UnloadMode mode) override;

private:
    void btnClick(int index);
    void copyFile();
    void browseSource();
    void browseDestination();
    void vbButton1Click();
    void Timer1Timer();
    void showToolWindow(const FormFactory& factory);
    void setText(const QString& name, int index, const QString& text);
    [[nodiscard]] QString text(const QString& name, int index) const;

    ToolWindows m_toolWindows;
    FileOperation m_fileOperation;
    std::function<void(QMenu*)> m_popupMenu;
    bool m_copying = false;       // the copy button's request is running
    bool m_quitAfterCopy = false; // quit was confirmed while it ran
};

} // namespace app

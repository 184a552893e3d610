// Quintaro: the main window is the start-up object; the program ends when it
// unloads.

#include "app/DlgCopy.h"
#include "app/VersionRecord.h"
#include "controls/vbButton/RegisterVbButton.h"
#include "platform/copy/DescriptorLimit.h"
#include "platform/forms/AppIcon.h"
#include "platform/forms/CaretRest.h"
#include "tools/ToolWindows.h"

#include <QApplication>

int main(int argc, char** argv)
{
    shell::raiseDescriptorLimit(); // the copies walk deep trees from open folder to open folder
    QApplication application(argc, argv);
    app::applyVersionRecord(application);
    QApplication::setWindowIcon(forms::applicationIcon());
    // An idle window with the focus in a text box sleeps instead of blinking the caret.
    forms::CaretRest caretRest;
    // The main window's own question decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window's command buttons are owner-drawn buttons loaded from their saved sets.
    vb::registerVbButton();

    app::DlgCopy window;
    window.setToolWindows(app::ToolWindows{tools::calendarWindow, tools::countdownWindow, tools::starsWindow,
                                           tools::aboutWindow});
    QObject::connect(&window, &forms::Form::unloaded, &application, &QCoreApplication::quit);
    window.show();
    return QApplication::exec();
}

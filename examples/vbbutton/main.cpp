// A window laid out in Qt Designer with vbButtons in several looks.
// `vbbutton-demo --list` prints each button's look and exits.
#include "ui_DemoWindow.h"

#include <QApplication>
#include <QMetaEnum>
#include <QTextStream>
#include <quintaro/vbButton.h>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    Ui::DemoWindow ui;
    ui.setupUi(&window);
    // Buttons raise Click; their properties are read and set like any widget's.
    QObject::connect(ui.hotButton, &quintaro::vbButton::Click,
                     [&] { ui.status->setText(ui.hotButton->Value() ? "Pressed in" : "Let out"); });
    QObject::connect(ui.closeButton, &quintaro::vbButton::Click, &window, &QWidget::close);
    window.show();
    if (app.arguments().contains("--list")) {
        const QMetaEnum looks = QMetaEnum::fromType<quintaro::ButtonType>();
        for (auto* button : window.findChildren<quintaro::vbButton*>())
            QTextStream(stdout) << button->objectName() << ' ' << looks.valueToKey(button->ButtonType())
                                << '\n';
        return 0;
    }
    return app.exec();
}

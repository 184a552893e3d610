#include "controls/vbButton/RegisterVbButton.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vb::registerVbButton();
    return 0;
}

#include "ui/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The window only draws pictures with QPainter; without this, showing it on
    // X11 loads an OpenGL driver, the larger part of start-up time and memory.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    return app.exec();
}

#include "app/commandline.h"
#include "app/startup.h"
#include "device/capture.h"
#include "platform/standardstreams.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    // Before anything opens a file: closed standard streams are opened on /dev/null.
    tarvenix::prepareStandardStreams();
    // Answered without a display, a window or a device.
    if (asksInformation(argc, argv))
        return answerInformation(argc, argv);
    std::shared_ptr<void> display = prepareApplication();
    QApplication app(argc, argv);
    display.reset();
    QCommandLineParser parser;
    setUpApplication(parser);
    const std::shared_ptr<tarvenix::Capture> capture = startRecording(parser);
    int exitCode = 0;
    {
        MainWindow window(nullptr, capture);
        window.show();
        QTimer::singleShot(0, &window, &MainWindow::tellInterruptedTransfers);
        exitCode = app.exec();
    }
    // After the window, whose going closes the device.
    if (capture)
        capture->end(exitCode);
    return exitCode;
}

#include "app/commandline.h"
#include "device/capture.h"
#include "platform/language.h"
#include "ui/mainwindow.h"

#ifdef TARVENIX_X11_DPI
#include "app/x11dpi.h"
#endif

#include <QApplication>

namespace {

// A capture of the whole run; null when not asked for.
std::shared_ptr<tarvenix::Capture> startRecording(const QCommandLineParser &parser,
                                                  const QStringList &arguments)
{
    const QString file = recordingFile(parser);
    if (file.isEmpty())
        return nullptr;
    return tarvenix::Capture::start(file, QStringLiteral("tarvenix"),
                                    tarvenix::Capture::commandLine(arguments, {file}));
}

} // namespace

int main(int argc, char *argv[])
{
    // Answered without a display, a window or a device.
    if (asksInformation(argc, argv))
        return answerInformation(argc, argv);
    // The window only draws pictures with QPainter; without this, showing it on
    // X11 loads an OpenGL driver, the larger part of start-up time and memory.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    // Scaled as the desktop asks, by exactly as much: 150 % gives 1.5 times, not 2.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#ifdef TARVENIX_X11_DPI
    useDesktopDpiOnly();
#endif
    QApplication app(argc, argv);
    // One name for both programs, which share their settings, backups and history.
    QCoreApplication::setOrganizationName(QStringLiteral("tarvenix"));
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix"));
    QCommandLineParser parser;
    parseOptions(parser, app.arguments());
    showTrace(parser);
    // The resource bundle picks each picture's language by the default locale.
    const QLocale language = chosenLanguage(parser);
    QLocale::setDefault(language);
    tarvenix::useLanguage(language);
    const std::shared_ptr<tarvenix::Capture> capture = startRecording(parser, app.arguments());
    int exitCode = 0;
    {
        MainWindow window(nullptr, capture);
        window.show();
        exitCode = app.exec();
    }
    // After the window, whose going closes the device.
    if (capture)
        capture->end(exitCode);
    return exitCode;
}

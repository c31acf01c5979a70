#include "ui/mainwindow.h"
#include "workers/settings.h"

#ifdef TARVENIX_X11_DPI
#include "app/x11dpi.h"
#endif

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <cstdio>

namespace {

const QCommandLineOption
    kLangOption(QStringLiteral("lang"),
                QStringLiteral("Show the window in this language instead of the system's."),
                QStringLiteral("code"));

// The language of the pictures (and of the messages): --lang, else the one chosen in the
// window's menu, else the system's first choice. Any other option is Qt's, or is ignored as
// before.
QLocale chosenLanguage(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption(kLangOption);
    if (!parser.parse(arguments) && parser.unknownOptionNames().isEmpty())
        std::fprintf(stderr, "tarvenix: %s\n", qPrintable(parser.errorText()));
    const QLocale system(QLocale::system().uiLanguages().value(0, QStringLiteral("C")));
    const QString code =
        parser.isSet(kLangOption) ? parser.value(kLangOption) : tarvenix::savedLanguage();
    if (code.isEmpty())
        return system;
    const QLocale asked(code);
    if (asked.language() == QLocale::C && code != QLatin1String("C")) {
        std::fprintf(stderr, "tarvenix: no language is called \"%s\"; using the system's.\n",
                     qPrintable(code));
        return system;
    }
    return asked;
}

} // namespace

int main(int argc, char *argv[])
{
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
    // The resource bundle picks each picture's language by the default locale.
    QLocale::setDefault(chosenLanguage(app.arguments()));
    MainWindow window;
    window.show();
    return app.exec();
}

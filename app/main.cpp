#include "ui/mainwindow.h"
#include "workers/language.h"

#ifdef TARVENIX_X11_DPI
#include "app/x11dpi.h"
#endif

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QSettings>
#include <cstdio>

namespace {

const QCommandLineOption
    kLangOption(QStringLiteral("lang"),
                QStringLiteral("Show the window in this language instead of the system's."),
                QStringLiteral("code"));

// The language the window's menu saved: "en", "de", "zh_CN", or empty to follow the
// system's. Read here, where the language is chosen, from the window's settings.
QLocale savedOrSystem(const QLocale &system)
{
    const QString code = QSettings(QStringLiteral("tarvenix"), QStringLiteral("tarvenix"))
                             .value(QStringLiteral("window/language"))
                             .toString();
    return code.isEmpty() || QLocale(code).language() == QLocale::C ? system : QLocale(code);
}

// The language of the pictures and of the messages: --lang, else the one saved from the
// window's menu, else the system's. Any other option is Qt's, or is ignored as before.
QLocale chosenLanguage(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption(kLangOption);
    if (!parser.parse(arguments) && parser.unknownOptionNames().isEmpty())
        std::fprintf(stderr, "tarvenix: %s\n", qPrintable(parser.errorText()));
    const QLocale preferred = savedOrSystem(tarvenix::systemLanguage());
    if (!parser.isSet(kLangOption))
        return preferred;
    const QString code = parser.value(kLangOption);
    const QLocale asked(code);
    if (asked.language() == QLocale::C && code != QLatin1String("C")) {
        std::fprintf(stderr, "tarvenix: no language is called \"%s\"; using the system's.\n",
                     qPrintable(code));
        return preferred;
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
    // The resource bundle picks each picture's language by the default locale.
    const QLocale language = chosenLanguage(app.arguments());
    QLocale::setDefault(language);
    tarvenix::useLanguage(language);
    MainWindow window;
    window.show();
    return app.exec();
}

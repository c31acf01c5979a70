// tarvenix-picgen: draws the pictures Tarvenix Manager compiles in.

#include "outputs.h"
#include "preview.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>

namespace {

using tarvenix::picgen::writeIco;
using tarvenix::picgen::writeIcons;
using tarvenix::picgen::writePictures;
using tarvenix::picgen::writePreview;
using tarvenix::picgen::writeQrc;

const QCommandLineOption kIcons(QStringLiteral("icons"),
                                QStringLiteral("Write the desktop icons below <dir>."),
                                QStringLiteral("dir"));
const QCommandLineOption kIco(QStringLiteral("ico"), QStringLiteral("Write the Windows icon."),
                              QStringLiteral("path"));
const QCommandLineOption kQrc(QStringLiteral("qrc"),
                              QStringLiteral("Write the resource list for the pictures."),
                              QStringLiteral("path"));
const QCommandLineOption kPreview(QStringLiteral("preview"),
                                  QStringLiteral("Write a mock-up of the main window."),
                                  QStringLiteral("path"));

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Draws the pictures of Tarvenix Manager."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("outdir"),
                                 QStringLiteral("Folder for the pictures (usually pics/)."));
    parser.addOptions({kIcons, kIco, kQrc, kPreview});
}

// Runs every requested output; stops at the first failure.
QString run(const QCommandLineParser &parser)
{
    const QStringList folders = parser.positionalArguments();
    const QString pics = folders.value(0);
    if (folders.size() > 1 || (pics.isEmpty() && parser.isSet(kQrc)))
        return QStringLiteral("give one picture folder (the --qrc list points into it)");
    QString error;
    if (!pics.isEmpty())
        error = writePictures(pics);
    if (error.isEmpty() && parser.isSet(kQrc))
        error = writeQrc(parser.value(kQrc), pics);
    if (error.isEmpty() && parser.isSet(kIcons))
        error = writeIcons(parser.value(kIcons));
    if (error.isEmpty() && parser.isSet(kIco))
        error = writeIco(parser.value(kIco));
    if (error.isEmpty() && parser.isSet(kPreview))
        error = writePreview(parser.value(kPreview));
    return error;
}

} // namespace

int main(int argc, char *argv[])
{
    // Always offscreen: no display needed, and no desktop font settings leak into the output.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    if (parser.positionalArguments().isEmpty() && parser.optionNames().isEmpty())
        parser.showHelp(1);
    const QString error = run(parser);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "tarvenix-picgen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

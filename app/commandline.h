#pragma once
// The window's command line: its own options (--lang, --record, --trace), --help and
// --version, which answer before any window system is touched, and the trace's switch.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

struct CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

// Whether the arguments ask for --help or --version. Needs no application object.
bool asksInformation(int argc, char *argv[]);

// Answers --help or --version on standard output (on Windows, the console the program was
// started from, else a message box); the exit code.
int answerInformation(int argc, char *argv[]);

// Parses the window's options out of the application's arguments; any other is Qt's or
// ignored, as before.
void parseOptions(QCommandLineParser &parser, const QStringList &arguments);

// The language of the pictures and of the messages: --lang, else the one saved from the
// window's menu, else the system's.
QLocale chosenLanguage(const QCommandLineParser &parser);

// --record FILE, or TARVENIX_RECORD=FILE: where to record a capture; empty when not asked.
QString recordingFile(const QCommandLineParser &parser);

// The trace is off unless --trace asks for it or one of Qt's logging rules turns it on.
void showTrace(const QCommandLineParser &parser);

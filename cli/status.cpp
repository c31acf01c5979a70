#include "status.h"

#include <cerrno>
#include <cstdio>

namespace tarvenix::cli {

namespace {

QString g_outputFailure;

// Returns the system's error number when the line did not reach the stream, else 0.
int putLine(std::FILE *stream, const QString &text)
{
    errno = 0;
    if (std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stream) < 0 ||
        std::fflush(stream) != 0)
        return errno ? errno : EIO;
    return 0;
}

} // namespace

void printResult(const QString &text)
{
    const int error = putLine(stdout, text);
    if (error && g_outputFailure.isEmpty())
        g_outputFailure = QStringLiteral("tarvenix-cli: writing to standard output failed: %1.")
                              .arg(qt_error_string(error));
}

void printMessage(const QString &text)
{
    putLine(stderr, text);
}

QString outputFailure()
{
    return g_outputFailure;
}

QString printable(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c.category() == QChar::Other_Control)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace tarvenix::cli

#include "status.h"

#include <cstdio>

namespace tarvenix::cli {

namespace {

void putLine(std::FILE *stream, const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

void printResult(const QString &text)
{
    putLine(stdout, text);
}
void printMessage(const QString &text)
{
    putLine(stderr, text);
}

} // namespace tarvenix::cli

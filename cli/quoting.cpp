#include "quoting.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tarvenix::cli {

namespace {

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

// A run of control characters as the shell's $'...' writes it, byte by byte of its UTF-8.
QString ansiQuoted(const QString &controls)
{
    // The controls the shell names by a letter; any other is written in octal.
    static const std::pair<char, char> kNamed[] = {
        {'\a', 'a'}, {'\b', 'b'}, {'\t', 't'}, {'\n', 'n'}, {'\v', 'v'}, {'\f', 'f'}, {'\r', 'r'}};
    QString out = QStringLiteral("$'");
    for (const char byte : controls.toUtf8()) {
        const auto named = std::find_if(std::begin(kNamed), std::end(kNamed),
                                        [byte](const auto &n) { return n.first == byte; });
        out += named != std::end(kNamed)
                   ? QStringLiteral("\\") + QLatin1Char(named->second)
                   : QStringLiteral("\\%1").arg(uchar(byte), 3, 8, QLatin1Char('0'));
    }
    return out + QLatin1Char('\'');
}

// Any other run in single quotes, a quote in it closed, escaped and opened again.
QString singleQuoted(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("'\\''")) +
           QLatin1Char('\'');
}

} // namespace

QString deviceText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (isControl(c))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

FoundDevice shownDevice(FoundDevice device)
{
    for (QString *text : {&device.path, &device.manufacturer, &device.product, &device.serial})
        *text = deviceText(*text);
    return device;
}

QString fileNameText(const QString &name)
{
    if (std::none_of(name.begin(), name.end(), isControl))
        return name;
    QString out;
    for (int start = 0, end = 0; start < name.size(); start = end) {
        const bool control = isControl(name[start]);
        while (end < name.size() && isControl(name[end]) == control)
            ++end;
        const QString run = name.mid(start, end - start);
        out += control ? ansiQuoted(run) : singleQuoted(run);
    }
    return out;
}

} // namespace tarvenix::cli

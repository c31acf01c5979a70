#include "quoting.h"

#include <algorithm>

namespace tarvenix::cli {

namespace {

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

// A run of control characters as the shell's $'...' writes it, byte by byte of its UTF-8.
QString ansiQuoted(const QString &controls)
{
    QString out = QStringLiteral("$'");
    for (const char byte : controls.toUtf8()) {
        switch (byte) {
        case '\a':
            out += QStringLiteral("\\a");
            break;
        case '\b':
            out += QStringLiteral("\\b");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\v':
            out += QStringLiteral("\\v");
            break;
        case '\f':
            out += QStringLiteral("\\f");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            out += QStringLiteral("\\%1").arg(uchar(byte), 3, 8, QLatin1Char('0'));
        }
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

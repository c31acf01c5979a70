// Writes, at build time, what follows from the supported-device table, so that it has one
// source: the udev rule that gives the user at the seat every followed product's hidraw
// nodes, and the interface names as a C++ list for the Windows notification test.
//   tarvenix-devicetable [--udev-rule FILE] [--interface-names FILE]

#include "device/events.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

namespace {

QString hex4(int value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

// sysfs spells the ids in lower case.
QString udevRule()
{
    QString text = QStringLiteral(
        "# Tarvenix pressure mice: let the user at the seat open their hidraw nodes.\n"
        "# Sorts before 73-seat-late.rules, which applies the uaccess tag.\n"
        "# Written from the supported-device table by tarvenix-devicetable: do not edit.\n");
    for (const tarvenix::Product &p : tarvenix::followedProducts())
        text += QStringLiteral("KERNEL==\"hidraw*\", ATTRS{idVendor}==\"%1\", "
                               "ATTRS{idProduct}==\"%2\", TAG+=\"uaccess\"\n")
                    .arg(hex4(p.vendorId), hex4(p.productId));
    return text;
}

QString interfaceNames()
{
    QStringList entries;
    for (const QString &name : tarvenix::deviceInterfaceNames())
        entries << QStringLiteral("L\"%1\"").arg(name);
    return entries.join(QStringLiteral(",\n")) + QLatin1Char('\n');
}

// The build asks for files in folders of its own that nothing else has made yet.
bool write(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit())
        return true;
    std::fprintf(stderr, "tarvenix-devicetable: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(file.errorString()));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption rule(QStringLiteral("udev-rule"),
                                  QStringLiteral("Write the udev rule to <file>."),
                                  QStringLiteral("file"));
    const QCommandLineOption names(QStringLiteral("interface-names"),
                                   QStringLiteral("Write the interface names to <file>."),
                                   QStringLiteral("file"));
    parser.addOptions({rule, names});
    parser.addHelpOption();
    parser.process(app);
    bool ok = true;
    if (parser.isSet(rule))
        ok = write(parser.value(rule), udevRule()) && ok;
    if (parser.isSet(names))
        ok = write(parser.value(names), interfaceNames()) && ok;
    return ok ? 0 : 1;
}

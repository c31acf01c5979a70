// Writes, at build time, what follows from the supported-device table, so that it has one
// source: the udev rule that gives the user at the seat every followed product's hidraw
// nodes, the HID ids of those products for the package's scripts that re-apply the rule,
// the AppStream modaliases of the supported devices, and the interface names as a C++ list
// for the Windows notification test.
//   tarvenix-devicetable [--udev-rule FILE] [--hid-ids FILE] [--modaliases FILE]
//                        [--interface-names FILE]

#include "device/discovery.h"
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

// HID_ID as the kernel writes it into a HID device's uevent: bus (USB), vendor, product.
QString hidIds()
{
    QStringList ids;
    for (const tarvenix::Product &p : tarvenix::followedProducts())
        ids << QStringLiteral("0003:0000%1:0000%2")
                   .arg(hex4(p.vendorId).toUpper(), hex4(p.productId).toUpper());
    return ids.join(QLatin1Char(' ')) + QLatin1Char('\n');
}

// One <modalias> line per supported product, as AppStream matches a USB device.
QString modaliases()
{
    QStringList lines;
    for (const tarvenix::SupportedDevice &d : tarvenix::kSupportedDevices) {
        const QString line = QStringLiteral("    <modalias>usb:v%1p%2d*</modalias>")
                                 .arg(hex4(d.vendorId).toUpper(), hex4(d.productId).toUpper());
        if (!lines.contains(line))
            lines << line;
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
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

// One file the generator can write: its option and its text.
struct Output {
    QCommandLineOption option;
    QString (*text)();
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QVector<Output> outputs{
        {{QStringLiteral("udev-rule"), QStringLiteral("Write the udev rule to <file>."),
          QStringLiteral("file")},
         udevRule},
        {{QStringLiteral("hid-ids"),
          QStringLiteral("Write the followed products' HID ids to <file>."),
          QStringLiteral("file")},
         hidIds},
        {{QStringLiteral("modaliases"), QStringLiteral("Write the AppStream modaliases to <file>."),
          QStringLiteral("file")},
         modaliases},
        {{QStringLiteral("interface-names"), QStringLiteral("Write the interface names to <file>."),
          QStringLiteral("file")},
         interfaceNames},
    };
    for (const Output &output : outputs)
        parser.addOption(output.option);
    parser.addHelpOption();
    parser.process(app);
    bool ok = true;
    for (const Output &output : outputs) {
        if (parser.isSet(output.option))
            ok = write(parser.value(output.option), output.text()) && ok;
    }
    return ok ? 0 : 1;
}

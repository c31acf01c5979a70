#include "deviceset.h"

#include "cli/devicelist.h"
#include "cli/link.h"
#include "cli/quoting.h"
#include "cli/text.h"
#include "transfer/filechecks.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace tarvenix::cli {

namespace {

QString model(const FoundDevice &d)
{
    return d.ids();
}

bool ofProduct(const Options &o, const FoundDevice &d)
{
    return (!o.vendorId && !o.productId) ||
           (d.vendorId == o.vendorId && d.productId == o.productId);
}

// One firmware image fits one model: flashing it into another is the mistake to prevent.
Status oneModel(const Options &o, const QVector<FoundDevice> &picked)
{
    const bool mixed = std::any_of(picked.begin(), picked.end(), [&](const FoundDevice &d) {
        return model(d) != model(picked.first());
    });
    if (!mixed)
        return {};
    QString text = Cli::tr("The devices are of more than one model, and an image is made "
                           "for one model only. Found:");
    for (const FoundDevice &d : picked)
        text += QStringLiteral("\n  %1  %2").arg(model(d), deviceName(d));
    text += o.all ? Cli::tr("\nAdd --product VID:PID to pick one model, for example "
                            "--product %1.")
                        .arg(model(picked.first()))
                  : Cli::tr("\nPick devices of one model with --device or --serial.");
    return fail(Exit::Usage, text);
}

QString baseName(const FoundDevice &d)
{
    if (!d.serial.isEmpty())
        return safeNamePart(d.serial);
    static const QRegularExpression separator(QStringLiteral("[/\\\\]"));
    const QString last = safeNamePart(d.path.section(separator, -1));
    return last.isEmpty() ? QStringLiteral("device") : last;
}

Status pickAll(const Options &o, const QVector<FoundDevice> &present, QVector<FoundDevice> *picked)
{
    std::copy_if(present.begin(), present.end(), std::back_inserter(*picked),
                 [&](const FoundDevice &d) { return ofProduct(o, d); });
    if (picked->isEmpty() && present.isEmpty())
        return noDevice();
    if (picked->isEmpty())
        return fail(Exit::NoDevice, Cli::tr("No device of %1:%2 is present. Run \"tarvenix-cli "
                                            "list\" to see the supported devices present.")
                                        .arg(hexId(o.vendorId), hexId(o.productId)));
    return {};
}

// The path of the one device present with this serial number (of the --product model, when
// given).
Status withSerial(const Options &o, const QVector<FoundDevice> &present, const QString &serial,
                  QString *path)
{
    QStringList paths;
    for (const FoundDevice &d : present) {
        if (d.serial == serial && ofProduct(o, d))
            paths << d.path;
    }
    if (paths.isEmpty())
        return fail(Exit::NoDevice,
                    Cli::tr("No supported device with the serial number %1 is present, so no "
                            "device was touched. Run \"tarvenix-cli list\" to see the serial "
                            "numbers of the supported devices present.")
                        .arg(deviceText(serial)));
    if (paths.size() > 1) {
        QStringList shown;
        for (const QString &p : paths)
            shown << deviceText(p);
        return fail(Exit::Usage,
                    Cli::tr("More than one device has the serial number %1, so it does not say "
                            "which to use:\n  %2\nPick one with --device PATH.")
                        .arg(deviceText(serial), shown.join(QStringLiteral("\n  "))));
    }
    *path = paths.first();
    return {};
}

// Those at the paths given, in table order.
Status atPaths(const QStringList &paths, const QVector<FoundDevice> &present,
               QVector<FoundDevice> *picked)
{
    for (const FoundDevice &d : present) {
        if (paths.contains(d.path))
            picked->append(d);
    }
    for (const QString &path : paths) {
        if (std::none_of(picked->begin(), picked->end(),
                         [&](const FoundDevice &d) { return d.path == path; }))
            return fail(Exit::NoDevice,
                        Cli::tr("There is no supported device at %1, so no device was "
                                "touched. Run \"tarvenix-cli list\" to see the paths of "
                                "the supported devices present.")
                            .arg(path));
    }
    return {};
}

} // namespace

Status pickDevices(const Options &o, QVector<FoundDevice> *picked)
{
    const QVector<FoundDevice> present = findSupportedDevices();
    picked->clear();
    QStringList paths = o.devices;
    for (const QString &serial : o.serials) {
        QString path;
        if (Status s = withSerial(o, present, serial, &path); !s.ok())
            return s;
        paths << path;
    }
    const Status s = o.all ? pickAll(o, present, picked) : atPaths(paths, present, picked);
    // Reading the version writes nothing, so it may read every model at once.
    if (!s.ok() || o.command == Command::Version)
        return s;
    return oneModel(o, *picked);
}

QVector<FoundDevice> devicesNotTaken(const Options &o, const QVector<FoundDevice> &taken)
{
    QVector<FoundDevice> later;
    for (const FoundDevice &d : findSupportedDevices()) {
        const bool known = std::any_of(taken.begin(), taken.end(),
                                       [&](const FoundDevice &t) { return t.path == d.path; });
        if (!known && ofProduct(o, d))
            later.append(d);
    }
    return later;
}

QString deviceName(const FoundDevice &device)
{
    if (device.serial.isEmpty())
        return deviceText(device.path);
    return QStringLiteral("%1 (%2)").arg(deviceText(device.serial), deviceText(device.path));
}

QString serialOrPath(const FoundDevice &device)
{
    return deviceText(device.serial.isEmpty() ? device.path : device.serial);
}

QStringList deviceFileNames(const QVector<FoundDevice> &devices)
{
    QStringList names;
    QSet<QString> taken;
    for (const FoundDevice &d : devices) {
        const QString base = baseName(d);
        QString name = base;
        for (int n = 2; taken.contains(name.toLower()); ++n)
            name = base + QLatin1Char('-') + QString::number(n);
        taken.insert(name.toLower());
        names << name;
    }
    return names;
}

QStringList saveNames(const QVector<FoundDevice> &devices)
{
    QStringList names = deviceFileNames(devices);
    for (QString &name : names)
        name += QStringLiteral(".bin");
    return names;
}

} // namespace tarvenix::cli

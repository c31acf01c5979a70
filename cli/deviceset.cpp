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
                  : Cli::tr("\nPick devices of one model with --device.");
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

} // namespace

Status pickDevices(const Options &o, QVector<FoundDevice> *picked)
{
    const QVector<FoundDevice> present = findSupportedDevices();
    picked->clear();
    if (o.all) {
        std::copy_if(present.begin(), present.end(), std::back_inserter(*picked),
                     [&](const FoundDevice &d) { return ofProduct(o, d); });
        if (picked->isEmpty() && present.isEmpty())
            return noDevice();
        if (picked->isEmpty())
            return fail(Exit::NoDevice, Cli::tr("No device of %1:%2 is present. Run \"tarvenix-cli "
                                                "list\" to see the supported devices present.")
                                            .arg(hexId(o.vendorId), hexId(o.productId)));
        return oneModel(o, *picked);
    }
    for (const FoundDevice &d : present) {
        if (o.devices.contains(d.path))
            picked->append(d);
    }
    for (const QString &path : o.devices) {
        if (std::none_of(picked->begin(), picked->end(),
                         [&](const FoundDevice &d) { return d.path == path; }))
            return fail(Exit::NoDevice,
                        Cli::tr("There is no supported device at %1, so no device was "
                                "touched. Run \"tarvenix-cli list\" to see the paths of "
                                "the supported devices present.")
                            .arg(path));
    }
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

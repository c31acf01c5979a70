#include "words/questions.h"

#include "words/tongue.h"

namespace tarvenix {

QString deviceDescription(const FoundDevice &device)
{
    const QString name = device.product.isEmpty() ? Messages::tr("The device") : device.product;
    return device.serial.isEmpty()
               ? Messages::tr("%1 (%2) at %3").arg(name, device.ids(), device.path)
               : Messages::tr("%1 (%2, serial %3) at %4")
                     .arg(name, device.ids(), device.serial, device.path);
}

QString deviceLine(const FoundDevice &device, const QString &version)
{
    return Messages::tr("%1, version \"%2\"").arg(deviceDescription(device), version);
}

QString firmwareQuestion(const QString &file, const FileFacts &facts, const FoundDevice &device,
                         const QString &version)
{
    return Messages::tr("Download this firmware into the device?\n\n"
                        "File: %1, %2 bytes, SHA-256 %3\n"
                        "Device: %4")
        .arg(file, QString::number(facts.size), facts.sha256.left(12), deviceLine(device, version));
}

QString firmwareQuestion(const QString &file, const FileFacts &facts, const QStringList &devices)
{
    return Messages::tr("Download this firmware into these %1 devices?\n\n"
                        "File: %2, %3 bytes, SHA-256 %4\n"
                        "Devices:\n%5")
        .arg(QString::number(devices.size()), file, QString::number(facts.size),
             facts.sha256.left(12), devices.join(QLatin1Char('\n')));
}

} // namespace tarvenix

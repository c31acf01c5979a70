#pragma once
// Which devices a run on several devices works on, and the names it gives them.

#include "cli/options.h"
#include "device/discovery.h"

namespace tarvenix::cli {

// The devices present that the options pick: every supported one (--all, only those of
// one model with --product) or those named with --device or --serial, in table order.
// Refuses, before any device is touched, a pick that is missing, a serial number that two
// devices share, and, but for version, a pick that mixes models, listing what it found.
// hidapi must be started.
Status pickDevices(const Options &o, QVector<FoundDevice> *picked);

// The supported devices present now that are not in `taken`, of the model --product
// names when given: those plugged in during a run.
QVector<FoundDevice> devicesNotTaken(const Options &o, const QVector<FoundDevice> &taken);

// How progress and the summary name a device: its serial and path, or its path alone.
QString deviceName(const FoundDevice &device);
// Its serial, or its path when it has none: the shorter name, for narrow lines.
QString serialOrPath(const FoundDevice &device);

// One name per device, in order, for the files made for each (a save, a capture): the
// serial with every character outside [A-Za-z0-9._-] made "_", or the last part of the path
// when the serial is empty; "-2", "-3"... added when two devices would share a name
// (ignoring case, as some file systems do).
QStringList deviceFileNames(const QVector<FoundDevice> &devices);
// save --all's file names: those with ".bin", "SERIAL.bin".
QStringList saveNames(const QVector<FoundDevice> &devices);

} // namespace tarvenix::cli

#pragma once
// --record FILE: this command's conversation with the device, written as a capture. The
// recording is the command's, from its start to its exit code, so it is kept here for the
// whole run rather than handed through every command.

#include "cli/options.h"
#include "device/capture.h"

namespace tarvenix::cli {

// Starts recording as the options ask: a command that works with one device starts its
// capture now; list and a run on several devices start one per device they find. arguments: the
// whole command line.
void startRecording(const Options &o, const QStringList &arguments);
// The capture for the device of a command that works with one; null when not recording.
std::shared_ptr<Capture> commandCapture();
// list: the identity of each device found, FILE itself for one device; with several, one
// capture each, named by captureNameFor.
void recordListed(const QVector<FoundDevice> &devices);
// A run on several devices: the capture of one of them, named by captureNameFor; null when
// not recording.
std::shared_ptr<Capture> deviceCapture(const FoundDevice &device, const QVector<FoundDevice> &all);
// Ends every capture with the command's exit code.
void endRecording(int exitCode);

// FILE with the device's name among all (deviceFileNames, as save --all names its files) added
// before its suffix: "c.jsonl" and the serial "SN 1" give "c-SN_1.jsonl".
QString captureNameFor(const QString &file, const FoundDevice &device,
                       const QVector<FoundDevice> &all);

} // namespace tarvenix::cli

#pragma once
// The seam under every exchange with the device: one report written, one read with a
// bound. Opening, the version query, the drains and the block loop all talk to the
// device through a HidPort and nothing else, so that another port (one that records
// the conversation, or a fake one in tests) can stand in for hidapi's.

#include "device/report.h"
#include "device/stoprequest.h"

#include <QString>
#include <memory>

namespace tarvenix {

// What a read is for. The device does not care; a recording of the conversation says it.
enum class ReadPurpose {
    Reply,  // the reply to the request just written
    Drain,  // throwing away what was queued before a conversation
    Look,   // a look for a stray report before a request
    Grace,  // the wait for a stray report after the last reply
    Settle, // throwing away what the device still sends after a failure
};

class HidPort {
  public:
    virtual ~HidPort() = default;
    // Writes one whole report; false when the device did not take it.
    virtual bool write(const Report &report) = 0;
    // Reads one input report, waiting at most timeoutMs (0: only one already queued):
    // its length, 0 when none came, -1 when the read failed. With a stop request, the wait
    // ends early, with 0, once a stop is asked for: within kReadSliceMs.
    virtual int read(Report &report, int timeoutMs, ReadPurpose purpose,
                     const StopRequest *stop) = 0;
    // What the system said of the last write or read that failed; may be empty.
    virtual QString errorText() const = 0;
    // The program has found that the device went away: a recording notes the unplug.
    virtual void noteUnplugged() {}
};

// How long a wait that a stop may cut goes without looking at the stop request: short
// enough that Ctrl-C is heeded at once whatever the device does, long enough to cost nothing.
constexpr int kReadSliceMs = 50;

using HidPortPtr = std::unique_ptr<HidPort>;

// Opens the HID interface at path, with blocking reads; null when it cannot be opened.
// The port closes the device when it goes.
HidPortPtr openPort(const char *path);

} // namespace tarvenix

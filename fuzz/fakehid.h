#pragma once
// A stand-in for the device behind the hidapi calls the exchange makes, so that
// fuzzed replies reach the real exchange and block loop code. hid_write,
// hid_read_timeout, hid_error and hid_close defined in this program take the
// place of hidapi's own; everything else still comes from hidapi.

#include "device/report.h"

#include <string>
#include <vector>

struct hid_device_ {
    // What the device does with each write, in order; past the end every write fails.
    struct Step {
        bool writeFails = false;
        int replyLength = 0; // what the read returns: -1 failure, 0 nothing, else bytes
    };
    std::vector<Step> script;
    std::size_t next = 0;
    tarvenix::Report reply{}; // the bytes every reply carries, as far as its length goes
    std::wstring error;       // what hid_error says
    bool errorIsNull = false;
    bool pending = false;
    int pendingLength = 0;
    int writes = 0;
};

#pragma once
// Keeps the machine from going to sleep while a transfer runs: a sleep that cuts a firmware
// download off can leave the device unusable. On Linux a logind inhibitor, on Windows the
// thread's execution state. Where neither can be had, the trace says so and the transfer
// goes on.

#include <QString>

namespace tarvenix {

class KeepAwake {
  public:
    // why: what is being transferred, as the desktop may show it.
    explicit KeepAwake(const QString &why);
    // Lets the machine sleep again; on the thread that made it.
    ~KeepAwake();
    KeepAwake(const KeepAwake &) = delete;
    KeepAwake &operator=(const KeepAwake &) = delete;

  private:
    int inhibitor_ = -1; // logind's inhibitor, held open; -1 where there is none
};

} // namespace tarvenix

#include "platform/keepawake.h"

#include "device/trace.h"

#include <windows.h>

namespace tarvenix {

// The state belongs to the calling thread and lasts until that thread clears it.
KeepAwake::KeepAwake(const QString &why)
{
    if (SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED))
        qCDebug(lcTrace).noquote() << "sleep inhibited:" << why;
    else
        qCDebug(lcTrace, "no sleep inhibitor: SetThreadExecutionState failed");
}

KeepAwake::~KeepAwake()
{
    SetThreadExecutionState(ES_CONTINUOUS);
    qCDebug(lcTrace, "sleep allowed again");
}

} // namespace tarvenix

#pragma once
// The words for what is refused before a transfer starts (a file, a save target, a busy
// or locked device) and for a capture that cannot be had: whole sentences, what is wrong
// and what to do.

#include "device/failure.h"

#include <QString>

namespace tarvenix {

// A refusal before a transfer starts, as sentences: what is wrong and what to do.
QString refusalMessage(const Failure &failure, const QString &file);

// The refusals that are whole sentences of their own; empty for every other failure.
QString refusalText(const Failure &failure, const QString &file);

// A capture of the conversation that could not be had, or stopped: what and what to do.
QString captureMessage(const Failure &failure, const QString &file);

// What to do when a supported device is present but cannot be opened.
QString accessHint();

} // namespace tarvenix

#pragma once
// tarvenix-cli's words for a user (--help, and every message on standard error), read
// in the user's language. Its results on standard output, their JSON and the trace stay
// as they are, whatever the language, for the scripts that parse them: they never go
// through Cli::tr.

#include <QCoreApplication>

namespace tarvenix::cli {

struct Cli {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

} // namespace tarvenix::cli

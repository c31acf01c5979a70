#pragma once
// Reading back the data blocks a file covers and comparing them with it.

#include "cli/link.h"
#include "cli/progress.h"

namespace tarvenix::cli {

// The file must have passed tarvenix::checkSourceFile for data. Exit::Mismatch
// names the first block (1-based, of the file's blocks) that differs.
Status verifyArea(const Link &link, const QString &file, Progress::Style style);

} // namespace tarvenix::cli

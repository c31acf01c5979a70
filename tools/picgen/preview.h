#pragma once
// A mock-up of the main window for checking the pictures by eye: the window at
// rest above the same window with every control lit.

#include <QString>

namespace tarvenix::picgen {

QString writePreview(const QString &path);

} // namespace tarvenix::picgen

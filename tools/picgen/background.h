#pragma once
// The window background; every widget of the main window sits on top of it.

#include <QImage>

namespace tarvenix::picgen {

QImage background();

} // namespace tarvenix::picgen

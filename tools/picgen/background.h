#pragma once
// The window background; every widget of the main window sits on top of it.

#include "words.h"

#include <QImage>

namespace tarvenix::picgen {

QImage background(const Variant &v);

} // namespace tarvenix::picgen

#pragma once
// The small pictures: status lines, window buttons, progress arrows and the logo.

#include "words.h"

#include <QImage>

class QPainter;

namespace tarvenix::picgen {

QImage statusLine(bool connected, const Variant &v);

QImage exitAtRest(const Variant &v);
QImage exitLit(const Variant &v);
QImage minimiseAtRest(const Variant &v);
QImage minimiseLit(const Variant &v);

QImage arrow(bool lit, const Variant &v);

// The logo at any square size; drawn on a 256-unit grid so every size matches.
QImage logo(int size);
void paintLogo(QPainter &p);

// The close glyph of the app's own message boxes.
QImage dialogCloseNormal(const Variant &v);
QImage dialogCloseHover(const Variant &v);
QImage dialogClosePressed(const Variant &v);

} // namespace tarvenix::picgen

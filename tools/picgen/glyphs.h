#pragma once
// The small pictures: status lines, window buttons, progress arrows and the logo.

#include <QImage>

class QPainter;

namespace tarvenix::picgen {

QImage statusLine(bool connected);

QImage exitAtRest();
QImage exitLit();
QImage minimiseAtRest();
QImage minimiseLit();

QImage arrow(bool lit);

// The logo at any square size; drawn on a 256-unit grid so every size matches.
QImage logo(int size);
void paintLogo(QPainter &p);

// The close glyph of the app's own message boxes.
QImage dialogCloseNormal();
QImage dialogCloseHover();
QImage dialogClosePressed();

} // namespace tarvenix::picgen

#pragma once

#include <QIcon>

// The program's small pictures, drawn rather than shipped.
namespace Glyphs {

QIcon trayButton();
QIcon lamp(bool lit);
// The lamp of a running session: lit while enabled, dark while disabled, so
// that switching it on and off blinks it.
QIcon lamp();
QIcon start();
QIcon stop();
// Tray icon frames: frame 0 is the idle picture, 1..3 the animation.
QIcon trayFrame(int frame);

} // namespace Glyphs

#pragma once

#include <QIcon>

// The program's small pictures: the program's icon, drawn from the SVG among
// the program's resources, and the toolbar's glyphs, drawn here.
namespace Glyphs {

// The program's icon at the sizes desktops ask for, 16 to 256 pixels.
QIcon application();

QIcon trayButton();
QIcon lamp(bool lit);
// The lamp of a running session: lit while enabled, dark while disabled, so
// that switching it on and off blinks it.
QIcon lamp();
QIcon start();
QIcon stop();
// The compact strip's minimise button: a bar at the bottom.
QIcon minimise();
// Tray icon frames: frame 0 is the program's icon, 1..3 the animation while
// counting, the icon's counter showing 01, 02 and 03.
QIcon trayFrame(int frame);

} // namespace Glyphs

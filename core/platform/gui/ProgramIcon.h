#pragma once
// ZR50's own icon: a hand-held radio sending, drawn in code so the program, its
// windows and the desktop's menu entry (a PNG the build writes) show the same.

#include <QIcon>
#include <QImage>

namespace zr50 {

// The icon drawn at size x size pixels.
QImage DrawProgramIcon(int size);
// The icon at the sizes window titles, task bars and menus ask for.
QIcon ProgramIcon();

}  // namespace zr50

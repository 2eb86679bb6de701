#pragma once
// The application icon and the main window's banner, drawn in code so the repository
// carries no binary resources.

#include <QIcon>
#include <QPixmap>

namespace artwork {
QIcon appIcon();
QPixmap banner(int width, int height);
}  // namespace artwork

#pragma once

#include <QIcon>
#include <QList>

// Registers the compiled-in resources, which a static library cannot do by itself. Safe to
// call more than once.
void RegisterResources();

// The application icon in the sizes a window needs.
QIcon AppIcon();

// The navigation tree's icons: root, system setting, local position, satellite.
QList<QIcon> TreeIcons();

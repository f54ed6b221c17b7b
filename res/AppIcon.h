#pragma once

#include <QIcon>

// The application icon in every size the resources hold. Also makes sure the compiled-in
// resources are registered, which a static library cannot do by itself.
QIcon AppIcon();

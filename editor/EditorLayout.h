#pragma once

#include <QHash>

#include <span>

class QButtonGroup;
class QWidget;

enum class Pane { Satellite, Tp, LocalPosition, SystemSetting };

struct EditorControls {
    QHash<int, QWidget*> byId;
    QButtonGroup* beep = nullptr;
    QButtonGroup* backlight = nullptr;
};

// Creates every control of the editor window at its place in dialog units, each tagged with
// its layout id, and sizes the window. The library's entry "Load Sat" is created hidden.
EditorControls CreateEditorControls(QWidget* window);

// The controls a pane shows and hides together.
std::span<const int> PaneControlIds(Pane pane);
// The editing controls of all panes, switched on and off together.
std::span<const int> EditControlIds();

#pragma once

#include <QHash>

class QGroupBox;
class QWidget;

// The panes of the window's right side; each one is a group box with its rows.
enum class Pane { Satellite, Tp, LocalPosition, SystemSetting };

// Creates the controls around the panes (the tree, the TP list and the buttons) at their places
// in dialog units, each tagged with its layout id, and sizes the window. The library's entry
// "Load Sat" is created hidden.
QHash<int, QWidget*> CreateFrameControls(QWidget* window);

// Places the pane's group box `box` (a child of the window) and creates its labels and
// controls inside it, tagged with their ids and added to `controls`. The TP pane's "Add TP"
// lies outside its box and is made a child of the window.
void BuildPane(Pane pane, QGroupBox* box, QHash<int, QWidget*>& controls);

// The pane that holds the control with this id, or false for a control of the frame.
bool PaneOfControl(int id, Pane& pane);

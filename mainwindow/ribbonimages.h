#pragma once

#include <QIcon>

// The pictures of the ribbon's image list (also the state and priority icons
// of the task grid) and of the notebook pane's image list, by index.
namespace images {

QIcon ribbon(int index);
QIcon notebook(int index);
int notebookCount();

} // namespace images

#pragma once

#include <QString>

#include <functional>

class QDialog;

// Every modal dialog of the program is shown through here. A test queues a
// handler for a dialog's objectName; the next time that dialog would be
// shown, the handler gets it instead (to fill its fields) and its return
// value becomes the dialog's result, with no window and no event loop.
namespace DialogRunner {

using Handler = std::function<int(QDialog *)>;

int exec(QDialog *dialog);
void queue(const QString &objectName, Handler handler);
bool hasPending(const QString &objectName);
void resetForTest();

} // namespace DialogRunner

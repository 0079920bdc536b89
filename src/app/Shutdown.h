#pragma once

class QWidget;

namespace quelvo::app {

// Closes the program's windows other than `mainWindow`. With force off a
// window that refuses to close stops the run.
void Shutdown(bool force, QWidget* mainWindow);

}  // namespace quelvo::app

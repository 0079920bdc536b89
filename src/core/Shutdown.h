#pragma once

class QWidget;

namespace quelvo::app {
class Form1;
}

namespace quelvo::core {

// The main window's close: writes what the remember-switches ask for into the
// settings file in one atomic replace, removes the keyboard filter, and closes
// the program's other windows.
void Form_QueryUnload(app::Form1& form);

// Closes the program's windows other than `mainWindow`. With force off a
// window that refuses to close stops the run.
void Shutdown(bool force, QWidget* mainWindow);

}  // namespace quelvo::core

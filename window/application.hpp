#pragma once

namespace semtra::window {

// Starts the desktop program: the data folder, the three windows in their order, and the
// event loop until the main window closes. Returns the exit status.
int runApplication(int argc, char** argv);

} // namespace semtra::window

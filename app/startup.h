#pragma once

namespace app {

// The life of the process: start-up, the event loop, exit processing.
// Returns the exit code (0); a fatal error never returns here.
int run();

}  // namespace app

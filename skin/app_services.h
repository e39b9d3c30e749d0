// What the skin engine takes from the application frame: the run directory,
// the fatal error report and exit processing.
#pragma once

#include "app/fatal_error.h"
#include "app/run_directory.h"

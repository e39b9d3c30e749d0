// Shared by the exported entries: the public declarations and the version.
#pragma once

#include "engine/skinh.h"

#define SKINH_VERSION_MAJOR 1
#define SKINH_VERSION_MINOR 0

#include "engine/attach_res.h"

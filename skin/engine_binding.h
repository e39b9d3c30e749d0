// The engine's entry, bound by name at its first call and kept until exit
// processing releases the library.
#pragma once

namespace skin {

// The address of SkinH_AttachRes. At the first call the library is loaded by
// its full path in the run directory, else by bare name through the system's
// search order; when neither loads, or the library has no such entry, what
// was loaded is released and the program ends through the fatal error report.
// Once bound, releasing the library is registered as an exit step.
const void* bound_engine_entry();

// Releases the library and forgets the entry; the next call binds afresh.
void release_skin_engine() noexcept;

}  // namespace skin

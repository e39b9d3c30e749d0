// The skin engine, as the program uses it: the carried engine library is
// written next to the executable when no entry of its name is there, bound by
// name at its first call, and handed a copy of one carried skin.
#pragma once

namespace skin {

// Makes sure the engine library exists as a file in the run directory. An
// existing entry of that name (file or directory, hidden or not) is left
// exactly as it is. Otherwise the carried library is written as a whole, under
// a temporary name first, and shows up only complete; then it is hidden.
// Failures are not reported: they show when the engine cannot be bound.
void install_skin_engine();

// Installs the engine, then hands it a copy of carried skin n (1..33). Binding
// failures and an entry that leaves the stack unbalanced end the program
// through the fatal error report. A number outside the catalogue applies nothing.
void apply_skin(int n);

// Takes the current directory out of the library search order, so that the
// search by bare name can never load a library planted wherever the program
// happened to be started. Called first thing at start-up.
void harden_dll_search_order();

}  // namespace skin

// One run of the program, from the command line to the exit status.
#pragma once

// The run's status as main returns it: 0, 1, 10, 87, 127 or a failure's status,
// before the platform reduces it to an exit status.
int RunQuorvel(int argc, const char* const* argv);

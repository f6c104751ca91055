// Simulator and trainer discovery on the registry and the trainer's INI file (Windows only).
#pragma once

namespace host {

// Reads "EXE Path" of the simulator key into g_host.simulatorRoot. 1 when the key was opened.
int ReadSimulatorRoot();

// Evaluates the trainer: 0, -1, -2 or -3 (host_state.h); sets g_host.databaseIndex on 0.
int EvaluateTrainer();

// Command 104: flips the database when the state is 0, re-evaluates, sets the caption,
// redraws the screen area.
void ToggleDatabase();

}  // namespace host

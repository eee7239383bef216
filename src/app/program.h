// The start procedure and the end of the program.
#pragma once

namespace korbo::ui {

// korbogl.Main: shows the splash, then loads the table window, whose load runs the whole
// start-up; then runs the program until it ends. Returns the program's exit code. Makes
// the process settings of PrepareProcess first.
int Main();

// Settings of the whole process, made before anything else: a write beyond the file-size
// limit fails instead of ending the program.
void PrepareProcess();

// The program ends: the event loop (if running) is left with `code`. The caller has
// already unloaded the windows. Before the loop runs, Main sees the end and returns.
void EndProgram(int code);
bool ProgramEnded();
int ProgramExitCode();
// A new run in the same process (the tests start the program more than once).
void ResetProgramEnd();

}  // namespace korbo::ui

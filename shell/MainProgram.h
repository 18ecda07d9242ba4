#pragma once
// The program from start to end, inside the QApplication that main makes:
//  1. the units are initialised in one order (ProgramUnits.h);
//  2. the single-instance guard "Moriva" is taken; when another instance runs, it is
//     asked to bring its window to the front and this start ends without a window;
//  3. otherwise the application title is set, the main window is made (which runs the
//     news check and the category menu) and the event loop runs until the main window
//     has closed; the running instance brings its window to the front when a later
//     start asks;
//  4. the guard is released, also when something failed; an exception that escapes is
//     logged as "Moriva" "E.Message=<message>";
//  5. the units are finalised in reverse order.
// The result is the process's exit code.

#include <functional>

int MainProgram();

// Runs steps; an exception that escapes them is logged as "Moriva" "E.Message=<message>"
// and goes no further.
void RunGuarded(const std::function<void()>& steps) noexcept;

#pragma once
// What the program must do for the embedded browser before its QApplication exists.

// Lets Qt WebEngine share OpenGL contexts, as it needs, and, only when the program runs
// as root (effective user 0), sets QTWEBENGINE_DISABLE_SANDBOX=1 in the program's own
// environment: the engine's sandbox refuses to start as root. A non-root program keeps
// the sandbox. Returns true when it switched the sandbox off.
bool PrepareWebEngine();
// The same decision for a given effective user id.
bool PrepareWebEngine(unsigned effectiveUser);

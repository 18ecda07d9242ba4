#pragma once
// What the program must do for the embedded browser before its QApplication exists.

// Only when the program runs as root (effective user 0), sets QTWEBENGINE_DISABLE_SANDBOX=1
// in the program's own environment: the engine's sandbox refuses to start as root. A
// non-root program keeps the sandbox. Returns true when it switched the sandbox off.
// Without the sandbox (switched off here or by the environment) the engine also starts
// without its zygote process (--no-zygote in QTWEBENGINE_CHROMIUM_FLAGS): the zygote
// serves only the sandbox, and starting it holds the application up for tens of
// milliseconds when the first page is shown.
bool PrepareWebEngine();
// The same decision for a given effective user id.
bool PrepareWebEngine(unsigned effectiveUser);

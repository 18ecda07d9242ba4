#pragma once
// The program folder: the folder of the running executable, the base of every data path
// of the system. Tests point it at a folder of their own with the override.

#include <QString>

// The program folder with a trailing "/".
QString GetAppDir();

// Makes GetAppDir return folder (a trailing "/" is added when missing) until cleared.
void SetAppDirOverride(const QString& folder);
void ClearAppDirOverride();
// The folder set by SetAppDirOverride, empty when none is set.
QString AppDirOverride();

#pragma once
// The program's own version number, read once at start-up from the version record of
// the executable (platform/winapi/VersionRecord.h). Before it is read, and when it
// cannot be read, the numbers are 0 and VersionString is empty.

#include "platform/winapi/VersionInfo.h"

#include <QString>

struct TAppVersion {
    quint32 Major = 0;
    quint32 Minor = 0;
    quint32 Release = 0;
    quint32 Build = 0;
    QString VersionString; // the file-version text as stored, "2.0.0.0" for this release
};

extern TAppVersion AppVersion;

// Fills AppVersion from the FileVersion of the string table 0411/03A4 of the given
// executable (the running one by default); leaves it empty when there is none.
void ReadFileVersion(const QString& executable = GetModuleFileName());

// Unit initialisation (reads the version) and finalisation (empties the record).
void InitializeVersion();
void FinalizeVersion();

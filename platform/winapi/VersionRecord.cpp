// The version record of the executable this object is linked into (see VersionRecord.h).
// MORIVA_FILE_VERSION comes from the project version of the build.

#ifndef MORIVA_FILE_VERSION
#error "MORIVA_FILE_VERSION must be defined by the build"
#endif

// `used` keeps the compiler from dropping the unreferenced array; the section name keeps
// it apart from all other data, where the reader looks for it.
[[gnu::used, gnu::section(".moriva_version")]] static const char MorivaVersionRecord[] =
    "StringFileInfo\\041103A4\\FileVersion=" MORIVA_FILE_VERSION "\n";

#pragma once
// The version record of an executable file, in the shape the program reads it: ask for
// the record's size, read it into a buffer of that size, query one value by its path.
// The record is the executable's ELF section described in VersionRecord.h.

#include <QByteArray>
#include <QString>
#include <optional>

// The full path of the running executable.
QString GetModuleFileName();

// The size in bytes of the version record of the file; 0 when the file cannot be read or
// has no version record.
quint32 GetFileVersionInfoSize(const QString& fileName);

// Reads the version record of the file into data, whose size is the buffer length (as
// given by GetFileVersionInfoSize); a longer record is cut to the buffer. False when
// the file has no readable record.
bool GetFileVersionInfo(const QString& fileName, QByteArray& data);

// The value stored under subBlock (for example "StringFileInfo\041103A4\FileVersion",
// with literal backslashes) in a record read by GetFileVersionInfo; absent when the
// record holds no such key.
std::optional<QString> VerQueryValue(const QByteArray& data, const QString& subBlock);

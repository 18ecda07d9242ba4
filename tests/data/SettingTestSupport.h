#pragma once
// Shared by the settings tests: a fresh program folder with a category folder and the
// settings units (the settings and their dialog) started; Control.inf written and read as
// CP932 bytes.

#include "data/USetting.h"
#include "platform/core/Units.h"
#include "platform/text/Ansi.h"
#include "screens/settings/UfrmSetting.h"
#include "shell/ProgramUnits.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

class SettingFolder : public testing::Test {
protected:
    SettingFolder()
        : units_(ProgramUnits({"USetting", "UfrmSetting"}))
    {
        program_.MakeDir(QStringLiteral("VEKTest"));
    }

    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }
    // Control.inf of the category from UTF-8 text, stored in CP932.
    void WriteControlInf(const char* utf8) const
    {
        program_.Write(QStringLiteral("VEKTest/Control.inf"), EncodeAnsi(QString::fromUtf8(utf8)));
    }
    // Control.inf of the category as text (CP932 decoded).
    QString ControlInf() const
    {
        return DecodeAnsi(program_.Read(QStringLiteral("VEKTest/Control.inf")));
    }
    QByteArray ControlInfBytes() const { return program_.Read(QStringLiteral("VEKTest/Control.inf")); }
    void Open() const { SettingClass->CreateInstance(Folder()); }

    TempProgramFolder program_;
    TUnits units_;
};

#pragma once
// Shared by the question tests: a fresh program folder with the question units started,
// and Question.cds files written by the dataset engine.

#include "data/UQuestion.h"
#include "data/UQuestionControl.h"
#include "platform/core/Units.h"
#include "platform/dataset/ClientDataSet.h"
#include "shell/ProgramUnits.h"
#include "tests/support/CategoryFiles.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

struct TQuestionRow {
    std::optional<int> No;
    std::optional<int> Type; // nullopt leaves the column empty
    QString Data;
};

class QuestionFolder : public testing::Test {
protected:
    QuestionFolder()
        : units_(ProgramUnits({"UQuestion", "UQuestionControl"}))
    {
        program_.MakeDir(QStringLiteral("VEKTest"));
    }

    // The category folder, with trailing separator.
    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }

    // Writes the rows, in order, as the folder's question file (NO and TYPE integers,
    // DATA a string of 255 characters).
    void WriteQuestions(const std::vector<TQuestionRow>& rows,
                        const QString& fileName = QStringLiteral("Question.cds")) const
    {
        std::vector<TRecordRow> records;
        for (const TQuestionRow& row : rows)
            records.push_back({row.No, row.Type,
                               row.Data.isEmpty() ? std::nullopt : std::optional(row.Data)});
        WriteRecordFile(Folder() + fileName, records);
    }

    void Open() const { QuestionControlClass->CreateInstance(Folder()); }

    TempProgramFolder program_;
    TUnits units_;
};

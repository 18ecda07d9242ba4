// Writes the sample category that ships with the program: a category folder holding
// Question.cds and Answer.cds of short text questions (Japanese words and their English
// meanings), in the dataset engine's binary format.
//   make_sample_category PROGRAM_FOLDER
#include "platform/dataset/ClientDataSet.h"

#include <QDir>
#include <QString>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

const QString kFolderName = QStringLiteral("VEK英単語");

const std::vector<std::pair<QString, QString>> kWords = {
    {QStringLiteral("犬"), QStringLiteral("dog")},       {QStringLiteral("猫"), QStringLiteral("cat")},
    {QStringLiteral("鳥"), QStringLiteral("bird")},      {QStringLiteral("魚"), QStringLiteral("fish")},
    {QStringLiteral("馬"), QStringLiteral("horse")},     {QStringLiteral("山"), QStringLiteral("mountain")},
    {QStringLiteral("川"), QStringLiteral("river")},     {QStringLiteral("海"), QStringLiteral("sea")},
    {QStringLiteral("空"), QStringLiteral("sky")},       {QStringLiteral("雨"), QStringLiteral("rain")},
    {QStringLiteral("雪"), QStringLiteral("snow")},      {QStringLiteral("風"), QStringLiteral("wind")},
    {QStringLiteral("花"), QStringLiteral("flower")},    {QStringLiteral("木"), QStringLiteral("tree")},
    {QStringLiteral("本"), QStringLiteral("book")},      {QStringLiteral("水"), QStringLiteral("water")},
    {QStringLiteral("火"), QStringLiteral("fire")},      {QStringLiteral("月"), QStringLiteral("moon")},
    {QStringLiteral("星"), QStringLiteral("star")},      {QStringLiteral("友達"), QStringLiteral("friend")},
    {QStringLiteral("学校"), QStringLiteral("school")},  {QStringLiteral("先生"), QStringLiteral("teacher")},
    {QStringLiteral("時計"), QStringLiteral("clock")},   {QStringLiteral("電車"), QStringLiteral("train")},
    {QStringLiteral("窓"), QStringLiteral("window")},
};

// One table of NO, TYPE and DATA; column picks the question or the answer text.
void WriteTable(const QString& path, bool answers)
{
    TClientDataSet table;
    table.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    table.FieldDefs().Add(QStringLiteral("TYPE"), ftInteger);
    table.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
    table.CreateDataSet();
    int no = 0;
    for (const auto& [word, meaning] : kWords) {
        table.Append();
        table.FieldByName(QStringLiteral("NO")).SetAsInteger(++no);
        table.FieldByName(QStringLiteral("TYPE")).SetAsInteger(1);
        table.FieldByName(QStringLiteral("DATA")).SetAsString(answers ? meaning : word);
        table.Post();
    }
    table.SaveToFile(path);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_category PROGRAM_FOLDER\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).filePath(kFolderName);
    try {
        QDir().mkpath(folder);
        WriteTable(folder + QStringLiteral("/Question.cds"), false);
        WriteTable(folder + QStringLiteral("/Answer.cds"), true);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample_category: %s\n", e.what());
        return 1;
    }
    return 0;
}

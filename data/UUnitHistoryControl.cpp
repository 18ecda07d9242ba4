// The history store: its file, loading, writing, deleting and the current store.
#include "data/UUnitHistoryControl.h"

#include "data/UConst.h"
#include "platform/core/Exception.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/files/Files.h"

#include <vector>

namespace {

const QString HistoryFile = QStringLiteral("UnitHistory.cds");
constexpr int SubCategorySize = 255;


// The filter of the rows of one unit; a quote in the subset name is doubled, so that the
// name is compared whole.
QString UnitFilter(int count, int no, QString subCategory)
{
    subCategory.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("(COUNT=") + QString::number(count) + QStringLiteral(") and (NO=")
        + QString::number(no) + QStringLiteral(") and (SUBCATEGORY='") + subCategory
        + QStringLiteral("')");
}

// The chain of the dataset's records from its first on.
std::unique_ptr<TUnitHistory> ReadChain(TClientDataSet& dataSet)
{
    dataSet.First();
    return UnitHistoryClass->LoadChain(dataSet);
}

// The rows whose dates or times cannot be shown: they stay in the file and in every
// count, and show "-" where such a value would stand.
int CountUnshowable(const TUnitHistory* head)
{
    int count = 0;
    for (const TUnitHistory* row = head; row && row->Next; row = row->Next.get())
        if (!row->Showable())
            ++count;
    return count;
}

} // namespace

void DefineHistoryFields(TFieldDefs& defs)
{
    defs.Add(QStringLiteral("COUNT"), ftInteger);
    defs.Add(QStringLiteral("NO"), ftInteger);
    defs.Add(QStringLiteral("SUBCATEGORY"), ftString, SubCategorySize);
    defs.Add(QStringLiteral("TESTDATE"), ftDateTime);
    defs.Add(QStringLiteral("TESTCOUNT"), ftInteger);
    defs.Add(QStringLiteral("ANSWERCOUNT"), ftInteger);
    defs.Add(QStringLiteral("CLEARCOUNT"), ftInteger);
    defs.Add(QStringLiteral("AVERAGE"), ftDateTime);
}

const std::array<QString, UnitHistoryColumnCount> UnitHistoryColumnCaptions = {
    QStringLiteral("ﾃｽﾄ時刻"), QStringLiteral("問題数"),   QStringLiteral("正解数"),
    QStringLiteral("合格数"),  QStringLiteral("回答時間"), QStringLiteral("平均"),
    QStringLiteral("正解率"),  QStringLiteral("合格率")};

TUnitHistoryControl::TUnitHistoryControl(const QString& folder) : Folder(folder)
{
    EnsureDataFile();
    TClientDataSet dataSet;
    dataSet.LoadFromFile(DataFilePath());
    TFieldDefs fields;
    DefineHistoryFields(fields);
    RequireFields(dataSet, fields, DataFilePath());
    dataSet.Open();
    Head = ReadChain(dataSet);
    dataSet.Close();
    LogUnshowableRows(QStringLiteral("TUnitHistoryControl.Create"), DataFilePath(),
                      CountUnshowable(Head.get()));
}

TUnitHistoryControl::TUnitHistoryControl(const QString& folder, TNoFile)
    : Folder(folder), writes_(false)
{
}

TUnitHistoryControl::~TUnitHistoryControl()
{
    try {
        WritePending();
    } catch (...) {
        // Nothing may leave a destructor: the rows that could not be written are lost,
        // and the log says why.
        WriteLog(QStringLiteral("TUnitHistoryControl.Destroy"), ExceptMessage());
    }
}

QString TUnitHistoryControl::DataFilePath() const
{
    return ResolvePath(Folder, HistoryFile);
}

void TUnitHistoryControl::EnsureDataFile()
{
    const QString path = DataFilePath();
    if (FileExists(path))
        return;
    TClientDataSet dataSet;
    DefineHistoryFields(dataSet.FieldDefs());
    dataSet.CreateDataSet();
    dataSet.SaveToFile(path);
}

void TUnitHistoryControl::WritePending()
{
    if (!writes_)
        return;
    std::vector<TUnitHistory*> pending;
    for (TUnitHistory* row = Head.get(); row; row = row->Next.get())
        if (row->State && row->State->Pending())
            pending.push_back(row);
    if (pending.empty())
        return;
    try {
        EnsureDataFile();
        const QString path = DataFilePath();
        TClientDataSet dataSet;
        dataSet.LoadFromFile(path);
        dataSet.Open();
        dataSet.First();
        WalkChain(Head.get(), [&](TUnitHistory& row) { return row.SavePending(dataSet); });
        dataSet.SaveToFile(path);
        dataSet.Close();
    } catch (...) {
        // The file is as it was: its new rows are still to be written.
        for (TUnitHistory* row : pending)
            row->State = StateRegClass->Create();
        throw;
    }
}

void TUnitHistoryControl::SavePending()
{
    WritePending();
}

void TUnitHistoryControl::AddRecord(int count, int no, const QString& subCategory,
                                    TDateTime testDate, TDateTime average, int testCount,
                                    int answerCount, int clearCount)
{
    Head->AddRecord(Head, count, no, subCategory, testDate, average, testCount, answerCount,
                    clearCount);
}

void TUnitHistoryControl::DeleteRecords(int count, int no, const QString& subCategory)
{
    WritePending();
    const QString path = DataFilePath();
    TClientDataSet dataSet;
    dataSet.LoadFromFile(path);
    dataSet.Open();
    dataSet.SetFiltered(false);
    dataSet.SetFilter(UnitFilter(count, no, subCategory));
    dataSet.SetFiltered(true);
    while (!dataSet.Eof())
        dataSet.Delete();
    dataSet.SetFilter(QString());
    dataSet.SetFiltered(false);
    // The chain is replaced only when the file holds what it shows.
    std::unique_ptr<TUnitHistory> head = ReadChain(dataSet);
    dataSet.SaveToFile(path);
    dataSet.Close();
    Head = std::move(head);
}

void TUnitHistoryControl::ClearAll()
{
    const QString path = DataFilePath();
    TClientDataSet dataSet;
    dataSet.LoadFromFile(path);
    dataSet.Open();
    dataSet.EmptyDataSet();
    std::unique_ptr<TUnitHistory> head = ReadChain(dataSet);
    dataSet.SaveToFile(path);
    dataSet.Close();
    Head = std::move(head);
}

void TUnitHistoryControl::GetStatistics(int count, int no, const QString& subCategory,
                                        TStringList& lines)
{
    if (batches_ == 0) {
        Head->GetStatistics(count, no, subCategory, lines);
        return;
    }
    const TFiguresByNo& figures = BatchFigures(count, subCategory);
    const auto found = figures.find(no);
    const TUnitFigures unit = found == figures.end() ? TUnitFigures{} : found->second;
    UnitHistoryLines(unit.Tests, unit.Latest, unit.Total, lines);
}

// Each row adds to the figures of its own unit number, exactly as a walk for that unit
// would.
const TUnitHistoryControl::TFiguresByNo& TUnitHistoryControl::BatchFigures(int count,
                                                                          const QString& subCategory)
{
    const auto key = std::make_pair(count, subCategory);
    if (const auto found = batchFigures_.find(key); found != batchFigures_.end())
        return found->second;
    TFiguresByNo& figures = batchFigures_[key];
    WalkChain(static_cast<const TUnitHistory*>(Head.get()), [&](const TUnitHistory& row) {
        TUnitFigures& unit = figures[row.No];
        return row.CollectStatistics(count, row.No, subCategory, unit.Tests, unit.Latest, unit.Total);
    });
    return figures;
}

TUnitHistoryControl::TStatisticsBatch::TStatisticsBatch(TUnitHistoryControl& store) : store_(store)
{
    ++store_.batches_;
}

TUnitHistoryControl::TStatisticsBatch::~TStatisticsBatch()
{
    if (--store_.batches_ == 0)
        store_.batchFigures_.clear();
}

void TUnitHistoryControlClass::CreateInstance(const QString& folder) const
{
    if (UnitHistoryControl)
        UnitHistoryControl->SavePending();
    UnitHistoryControl.reset();
    QString setAside;
    try {
        UnitHistoryControl = Create(folder);
        return;
    } catch (...) {
        // A file that cannot be read is kept under another name, and a new one records
        // the history rows from now on.
        setAside = SetAsideDamagedFile(ResolvePath(folder, HistoryFile),
                                       QStringLiteral("TUnitHistoryControl.CreateInstance"));
        if (setAside.isEmpty()) {
            UnitHistoryControl = ClassOf<TUnitHistoryControlNull, TUnitHistoryControlClass>()->Create(folder);
            throw;
        }
    }
    try {
        UnitHistoryControl = Create(folder);
        UnitHistoryControl->SetAsideFile = setAside;
    } catch (...) {
        UnitHistoryControl = ClassOf<TUnitHistoryControlNull, TUnitHistoryControlClass>()->Create(folder);
        throw;
    }
}

void InitializeUUnitHistoryControl()
{
    UnitHistoryControlClass = ClassOf<TUnitHistoryControl, TUnitHistoryControlClass>();
    UnitHistoryControl =
        ClassOf<TUnitHistoryControlNull, TUnitHistoryControlClass>()->Create(QString());
}

void FinalizeUUnitHistoryControl()
{
    UnitHistoryControl.reset();
    UnitHistoryControlClass = nullptr;
}

// The unit store: building the units and the current store.
#include "data/UAnswerUnitControl.h"

#include "data/USubCategory.h"
#include "platform/files/Files.h"
#include "platform/ini/IniFile.h"
#include "platform/text/StringList.h"


TAnswerUnitControl::TAnswerUnitControl(const QString& folder, int unitSize) : Folder(folder)
{
    BuildUnits(unitSize);
}

TAnswerUnitControl::~TAnswerUnitControl() = default;

std::unique_ptr<TAnswerUnitControl> TAnswerUnitControl::CreateEmpty(const QString& folder)
{
    std::unique_ptr<TAnswerUnitControl> store(new TAnswerUnitControl());
    store->Folder = folder;
    store->Head = CreateAnswerUnitNull();
    return store;
}

void TAnswerUnitControl::BuildUnits(int unitSize)
{
    // A chain that cannot be cut leaves no units rather than no chain.
    Head = CreateAnswerUnitNull();
    if (!FileExists(Folder + QStringLiteral("Answer.cds")))
        return;
    TStringList numbers;
    SubCategory->GetQuestionNumbers(numbers);
    int counter = 0;
    const QString name = SubCategory->GetSelectedName();
    std::unique_ptr<TAnswerUnit> chain;
    AnswerUnitClass->BuildChain(chain, unitSize, counter, name, numbers);
    Head = std::move(chain);
}

void TAnswerUnitControlClass::CreateInstance(const QString& folder, int unitSize) const
{
    AnswerUnitControl.reset();
    try {
        AnswerUnitControl = Create(folder, unitSize);
    } catch (...) {
        AnswerUnitControl = TAnswerUnitControl::CreateEmpty(folder);
        throw;
    }
}

void InitializeUAnswerUnitControl()
{
    AnswerUnitControlClass = ClassOf<TAnswerUnitControl, TAnswerUnitControlClass>();
    AnswerUnitControl = std::make_unique<TAnswerUnitControlNull>();
}

void FinalizeUAnswerUnitControl()
{
    AnswerUnitControl.reset();
    AnswerUnitControlClass = nullptr;
}

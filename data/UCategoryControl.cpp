// The category store: its chain, visibility of every category, the current store.
#include "data/UCategoryControl.h"

const std::array<QString, CategoryColumnCount> CategoryColumnCaptions = {
    QStringLiteral("名称"), QStringLiteral("選択回数"), QStringLiteral("問題数"),
    QStringLiteral("更新日時")};

TCategoryControl::TCategoryControl()
{
    CategoryClass->BuildList(Head);
}

TCategoryControl::~TCategoryControl() = default;

void TCategoryControl::ShowAll()
{
    WalkChain(Head.get(), [](TCategory& category) { return category.ShowAll(); });
}

void TCategoryControl::SaveVisibility()
{
    WalkChain(Head.get(), [](TCategory& category) { return category.SaveVisibility(); });
}

void TCategoryControlClass::CreateInstance() const
{
    CategoryControl.reset();
    try {
        CategoryControl = Create();
    } catch (...) {
        // CategoryControl always holds a store; the error passes on.
        CategoryControl = CategoryControlNullClass->Create();
        throw;
    }
}

void InitializeUCategoryControl()
{
    CategoryControlClass = ClassOf<TCategoryControl, TCategoryControlClass>();
    CategoryControlNullClass = ClassOf<TCategoryControlNull, TCategoryControlClass>();
    CategoryControl = CategoryControlNullClass->Create();
}

void FinalizeUCategoryControl()
{
    CategoryControl.reset();
    CategoryControlClass = CategoryControlNullClass = nullptr;
}

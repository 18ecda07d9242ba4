// The subsets on the data screen: the subset combo box with the saved choice selected.
#include "data/USubCategory.h"

#include "data/UConst.h"
#include "platform/vcl/ComboBox.h"

void TSubCategory::SelectSaved(TComboBox& comboBox)
{
    const QString saved = GetSelectedName();
    TStringList items;
    for (const QString& item : comboBox.Items())
        items.Add(item);
    int index = static_cast<int>(items.Lines().indexOf(saved));
    if (index < 0)
        index = items.IndexOf(saved);
    if (index < 0 && items.Count() > 0)
        index = 0;
    comboBox.SetItemIndex(index);
}

void TSubCategory::FillComboBox(TComboBox& comboBox)
{
    if (!Names)
        Names = std::make_unique<TStringList>();
    ListSubFiles(Folder, *Names);
    comboBox.SetItems(QStringList{AllQuestionsName} + Names->Lines());
    SelectSaved(comboBox);
}

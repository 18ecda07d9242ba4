#include "screens/data/UfrmDataSubsetEditor.h"

#include "screens/subset/UfrmCategoryCreate.h"

int ExecuteSubsetEditor(const QString& folder)
{
    return CategoryCreateControlClass->Execute(folder);
}

#include "screens/data/UfrmDataSubsetEditor.h"

int ExecuteSubsetEditor(const QString&)
{
    return 2;
}

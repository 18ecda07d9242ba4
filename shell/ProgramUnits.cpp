#include "shell/ProgramUnits.h"

#include "data/UAnswer.h"
#include "data/UAnswerControl.h"
#include "data/UAnswerUnit.h"
#include "data/UAnswerUnitControl.h"
#include "data/UCategory.h"
#include "data/UCategoryControl.h"
#include "data/UQuestion.h"
#include "data/UQuestionControl.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "data/USubCategory.h"
#include "data/UUnitHistory.h"
#include "data/UUnitHistoryControl.h"
#include "data/Version.h"
#include "platform/core/Exception.h"
#include "screens/data/UfrmData.h"
#include "screens/menu/UfrmMenu.h"
#include "screens/settings/UfrmSetting.h"
#include "screens/settings/UfrmShowSetting.h"
#include "screens/startup/UfrmInfo.h"
#include "screens/startup/UfrmUpdate.h"
#include "screens/subset/UfrmCategoryCreate.h"
#include "screens/subset/UfrmCategoryName.h"
#include "screens/test/UfrmJudge.h"
#include "screens/test/UfrmTest.h"

#include <algorithm>
#include <cstring>

std::vector<TUnit> ProgramUnits()
{
    return {
        {"Version", InitializeVersion, FinalizeVersion},
        {"USubCategory", InitializeUSubCategory, FinalizeUSubCategory},
        {"UQuestion", InitializeUQuestion, FinalizeUQuestion},
        {"UQuestionControl", InitializeUQuestionControl, FinalizeUQuestionControl},
        {"UReply", InitializeUReply, FinalizeUReply},
        {"USetting", InitializeUSetting, FinalizeUSetting},
        {"UfrmSetting", InitializeUfrmSetting, FinalizeUfrmSetting},
        {"UReplyControl", InitializeUReplyControl, FinalizeUReplyControl},
        {"UAnswer", InitializeUAnswer, FinalizeUAnswer},
        {"UAnswerControl", InitializeUAnswerControl, FinalizeUAnswerControl},
        {"UUnitHistory", InitializeUUnitHistory, FinalizeUUnitHistory},
        {"UUnitHistoryControl", InitializeUUnitHistoryControl, FinalizeUUnitHistoryControl},
        {"UAnswerUnit", InitializeUAnswerUnit, FinalizeUAnswerUnit},
        {"UAnswerUnitControl", InitializeUAnswerUnitControl, FinalizeUAnswerUnitControl},
        {"UCategory", InitializeUCategory, FinalizeUCategory},
        {"UCategoryControl", InitializeUCategoryControl, FinalizeUCategoryControl},
        {"UfrmShowSetting", InitializeUfrmShowSetting, FinalizeUfrmShowSetting},
        {"UfrmCategoryName", InitializeUfrmCategoryName, FinalizeUfrmCategoryName},
        {"UfrmCategoryCreate", InitializeUfrmCategoryCreate, FinalizeUfrmCategoryCreate},
        {"UfrmJudge", InitializeUfrmJudge, FinalizeUfrmJudge},
        {"UfrmTest", InitializeUfrmTest, FinalizeUfrmTest},
        {"UfrmData", InitializeUfrmData, FinalizeUfrmData},
        {"UfrmMenu", InitializeUfrmMenu, FinalizeUfrmMenu},
        {"UfrmInfo", InitializeUfrmInfo, FinalizeUfrmInfo},
        {"UfrmUpdate", InitializeUfrmUpdate, FinalizeUfrmUpdate},
    };
}

std::vector<TUnit> ProgramUnits(std::initializer_list<const char*> names)
{
    const std::vector<TUnit> all = ProgramUnits();
    for (const char* name : names) {
        const bool known = std::any_of(all.begin(), all.end(), [name](const TUnit& unit) {
            return std::strcmp(unit.Name, name) == 0;
        });
        if (!known)
            throw Exception(QStringLiteral("No unit is named %1").arg(QString::fromLatin1(name)));
    }
    std::vector<TUnit> chosen;
    for (const TUnit& unit : all)
        if (std::any_of(names.begin(), names.end(),
                        [&unit](const char* name) { return std::strcmp(unit.Name, name) == 0; }))
            chosen.push_back(unit);
    return chosen;
}

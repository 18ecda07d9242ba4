#include "shell/ProgramUnits.h"

#include "data/UAnswer.h"
#include "data/UAnswerControl.h"
#include "data/UAnswerUnit.h"
#include "data/UAnswerUnitControl.h"
#include "data/UQuestion.h"
#include "data/UQuestionControl.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USubCategory.h"
#include "data/UUnitHistory.h"
#include "data/UUnitHistoryControl.h"
#include "data/USetting.h"
#include "data/Version.h"
#include "screens/settings/UfrmSetting.h"
#include "screens/startup/UfrmInfo.h"
#include "screens/startup/UfrmUpdate.h"
#include "screens/test/UfrmJudge.h"
#include "screens/test/UfrmTest.h"

std::vector<TUnit> ProgramUnits()
{
    return {
        {"Version", InitializeVersion, FinalizeVersion},
        {"UQuestion", InitializeUQuestion, FinalizeUQuestion},
        {"UAnswer", InitializeUAnswer, FinalizeUAnswer},
        {"UReply", InitializeUReply, FinalizeUReply},
        {"UUnitHistory", InitializeUUnitHistory, FinalizeUUnitHistory},
        {"UAnswerUnit", InitializeUAnswerUnit, FinalizeUAnswerUnit},
        {"UQuestionControl", InitializeUQuestionControl, FinalizeUQuestionControl},
        {"UAnswerControl", InitializeUAnswerControl, FinalizeUAnswerControl},
        {"UReplyControl", InitializeUReplyControl, FinalizeUReplyControl},
        {"UUnitHistoryControl", InitializeUUnitHistoryControl, FinalizeUUnitHistoryControl},
        {"UAnswerUnitControl", InitializeUAnswerUnitControl, FinalizeUAnswerUnitControl},
        {"USubCategory", InitializeUSubCategory, FinalizeUSubCategory},
        {"USetting", InitializeUSetting, FinalizeUSetting},
        {"UfrmSetting", InitializeUfrmSetting, FinalizeUfrmSetting},
        {"UfrmJudge", InitializeUfrmJudge, FinalizeUfrmJudge},
        {"UfrmTest", InitializeUfrmTest, FinalizeUfrmTest},
        {"UfrmInfo", InitializeUfrmInfo, FinalizeUfrmInfo},
        {"UfrmUpdate", InitializeUfrmUpdate, FinalizeUfrmUpdate},
    };
}

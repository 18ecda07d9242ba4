#pragma once
// Modal results: what ShowModal returns and what buttons and message dialogs answer.

using TModalResult = int;

enum : TModalResult {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
    mrYes = 6, mrNo = 7,
};

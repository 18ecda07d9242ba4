#pragma once
// Loading what a screen shows. A step that fails leaves the screen showing less than it
// should, and anything it saved from there would write that half: the cause is logged
// under the place, the user is told in Japanese what could not be read, and the form
// fails to load (TForm::FailLoading), so it closes, or does not open, without saving.

#include "platform/vcl/Form.h"

#include <QString>

// Inside the catch block of a failed loading step: the log line, the message naming what
// (for example "問題ファイル（Question.cds）"), and the form's failure. Never throws.
void FailScreenLoading(TForm& form, const QString& place, const QString& what) noexcept;

// Runs the loading step; false, after FailScreenLoading, when it fails. A form whose
// loading failed already runs no further step.
template <class F>
bool LoadScreenStep(TForm& form, const QString& place, const QString& what, F&& step) noexcept
{
    if (form.LoadFailed())
        return false;
    try {
        step();
        return true;
    } catch (...) {
        FailScreenLoading(form, place, what);
        return false;
    }
}

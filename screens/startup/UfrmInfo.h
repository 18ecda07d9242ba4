#pragma once
// The notice dialog "お知らせ": a text file below the program folder, shown read-only
// until "O K".

#include "platform/core/ClassRef.h"
#include "platform/vcl/Form.h"
#include "ui_UfrmInfo.h"

#include <QString>

// The components of UfrmInfo.ui come from Ui::TfrmInfo.
class TfrmInfo : public TForm, public Ui::TfrmInfo {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* owner = nullptr);
    ~TfrmInfo() override;
};

class TfrmInfoClass : public TMetaClass<TfrmInfo, QWidget*> {
public:
    // Shows the notice file fileName (trimmed, relative to the program folder, CP932)
    // modally when it exists and its text is not blank. A missing file or a blank name
    // shows nothing. Raises Exception when the name leaves the program folder, or the
    // file cannot be read or holds bytes that are not CP932 text.
    virtual void ShowInfo(const QString& fileName) const;
};

inline const TfrmInfoClass* InfoFormClass = nullptr;

void InitializeUfrmInfo();
void FinalizeUfrmInfo();

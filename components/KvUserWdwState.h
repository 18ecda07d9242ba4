#pragma once
// The window-state component whose owner keeps the record: OnReadData gets the form's
// current placement to replace by the saved one (or to leave), OnSaveData the placement to
// keep.

#include "components/KvWdwState.h"

#include <functional>

using TKvWdwStateReadData = std::function<void(QObject* sender, TKvWdwStateData& data)>;
using TKvWdwStateSaveData = std::function<void(QObject* sender, const TKvWdwStateData& data)>;

class TKvUserWdwState : public TKvCustomWdwState {
    Q_OBJECT

public:
    explicit TKvUserWdwState(QObject* owner);
    ~TKvUserWdwState() override;
    // form must not be null (EKvCustomWdwState).
    static TKvUserWdwState* CreateStandAlone(QWidget* form);

    TKvWdwStateReadData OnReadData;
    TKvWdwStateSaveData OnSaveData;

protected:
    void ReadWdwState(int& left, int& top, int& width, int& height, int& state) override;
    void SaveWdwState(int left, int top, int width, int height, int state) override;
};

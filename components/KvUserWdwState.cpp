#include "components/KvUserWdwState.h"

TKvUserWdwState::TKvUserWdwState(QObject* owner) : TKvCustomWdwState(owner) {}

TKvUserWdwState::~TKvUserWdwState()
{
    ReleaseHook();
}

TKvUserWdwState* TKvUserWdwState::CreateStandAlone(QWidget* form)
{
    return StandAlone<TKvUserWdwState>(form);
}

void TKvUserWdwState::ReadWdwState(int& left, int& top, int& width, int& height, int& state)
{
    if (!OnReadData)
        return;
    TKvWdwStateData data{left, top, width, height, state};
    OnReadData(this, data);
    left = data.Left;
    top = data.Top;
    width = data.Width;
    height = data.Height;
    state = data.State;
}

void TKvUserWdwState::SaveWdwState(int left, int top, int width, int height, int state)
{
    if (OnSaveData)
        OnSaveData(this, TKvWdwStateData{left, top, width, height, state});
}

#pragma once
// The screen cursor: crHourGlass shows the busy cursor over every window of the program
// until crDefault is set again.

enum class TCursor { crDefault, crHourGlass };

class TScreen {
public:
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

private:
    TCursor cursor_ = TCursor::crDefault;
};

TScreen& Screen();

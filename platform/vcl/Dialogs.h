#pragma once
// Message dialogs with the platform's Japanese texts.
//
// MessageDlg shows text with the caption and icon of its kind (警告, エラー, 情報, 確認) and
// the buttons "はい(&Y)" and "いいえ(&N)" (mbYesNo) or "はい(&Y)" alone (mbYes). Yes is the
// default button (Enter); Y and N answer with or without Alt; Esc and closing the window
// answer No (Yes when it is the only button). The result is mrYes or mrNo.
//
// MessageBox is the system message box: the caption given, the buttons of the MB_ flags
// (Yes/No or OK), their icon and default button. It returns IDYES, IDNO or IDOK.
//
// Tests answer dialogs by setting a DialogAnswerer: while one is set, it is asked instead
// of showing the dialog, and its answer is returned.

#include "platform/vcl/ModalResult.h"

#include <QString>
#include <QStringList>
#include <functional>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

using TMsgDlgButtons = unsigned;
enum : TMsgDlgButtons { mbYes = 1u << 0, mbNo = 1u << 1, mbYesNo = mbYes | mbNo };

TModalResult MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons);

enum : unsigned {
    MB_OK = 0x0, MB_YESNO = 0x4, MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
};
enum : int { IDOK = 1, IDYES = 6, IDNO = 7 };

int MessageBox(const QString& text, const QString& caption, unsigned flags);

// What a dialog asks: its caption, text, icon kind, the button captions in order and the
// caption of the default button. The answer is a modal result (mrYes, mrNo, mrOk).
struct TDialogQuestion {
    QString Caption;
    QString Text;
    TMsgDlgType Type = TMsgDlgType::mtInformation;
    QStringList Buttons;
    QString DefaultButton;
};
using TDialogAnswerer = std::function<TModalResult(const TDialogQuestion&)>;

// Sets the answerer (an empty one shows real dialogs again); returns the previous one.
TDialogAnswerer SetDialogAnswerer(TDialogAnswerer answerer);

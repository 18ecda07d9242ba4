// The menu's form: the layout of UfrmMenu.ui with its pictures, the popup menu of the
// category list and the window-state component.
#include "screens/menu/UfrmMenu.h"

#include "components/KvUserWdwState.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListView.h"
#include "platform/vcl/PopupMenu.h"
#include "platform/vcl/SpeedButton.h"
#include "platform/vcl/Splitter.h"
#include "platform/web/WebBrowser.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>

namespace {

// Keeps a picture covering its parent, as a picture stretched over a panel does.
class TCoverParent : public QObject {
public:
    explicit TCoverParent(QWidget* picture) : QObject(picture), picture_(picture)
    {
        picture->parentWidget()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            picture_->setGeometry(static_cast<QWidget*>(watched)->rect());
        return false;
    }

private:
    QWidget* picture_;
};

} // namespace

TfrmMenu::TfrmMenu(QWidget* owner) : TForm(owner)
{
    setupUi(this);

    imgMenu->LoadFromFile(QStringLiteral(":/menu/menu_background.svg"));
    new TCoverParent(imgMenu);
    imgCategory->LoadFromFile(QStringLiteral(":/menu/menu_category.svg"));
    // Two empty panels.
    StatusBar1->addWidget(new QLabel(StatusBar1), 1);
    StatusBar1->addWidget(new QLabel(StatusBar1), 1);

    Splitter1->SetControl(pnlCategory);
    Splitter1->SetMinControlHeight(MenuCategoryMinHeight);
    SetCategoryHeight(200);
    SetMinSize(992, 500);

    pmeCategory = new TPopupMenu(this);
    pmuNonDisplay = pmeCategory->AddItem(QStringLiteral("問題非表示"));
    pmuAllDisplay = pmeCategory->AddItem(QStringLiteral("全問題表示"));
    pmuDisplaySetting = pmeCategory->AddItem(QStringLiteral("表示設定..."));
    pmeCategory->Attach(lvCategory);

    KvUserWdwState = new TKvUserWdwState(this);
    KvUserWdwState->AutoSaveRestore = true;
    KvUserWdwState->Options = woFitWorkArea;
}

TfrmMenu::~TfrmMenu() = default;

int TfrmMenu::CategoryHeight() const
{
    return pnlCategory->maximumHeight();
}

void TfrmMenu::SetCategoryHeight(int height)
{
    // A stored height beyond any screen is kept within what a widget can be; FormResize
    // then brings it inside the window.
    pnlCategory->setFixedHeight(std::clamp(height, MenuCategoryMinHeight, QWIDGETSIZE_MAX));
}

#include "app/MainForms.h"

#include "platform/Utility.h"

TMainForms::TMainForms()
{
    Main.SetIconTool(&IconTool);
}

void TMainForms::Start()
{
    NormalCursor();
    Main.FormActivate();
    Main.activateWindow();
}

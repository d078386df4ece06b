#include "app/MainForms.h"

#include "platformui/Utility.h"

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

#include "app/MainForms.h"

#include "platformui/Utility.h"

TMainForms::TMainForms()
{
    Main.SetIconTool(&IconTool);
}

void TMainForms::Start(const QString& fileName)
{
    NormalCursor();
    Main.FormActivate(fileName);
    Main.activateWindow();
}

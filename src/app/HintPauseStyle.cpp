#include "app/HintPauseStyle.h"

int THintPauseStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                               QStyleHintReturn* returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay)
        return HintPauseMs;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

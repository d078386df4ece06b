#include "recurring/SelectRecurringDates.h"

#include "recurring/RecordTickList.h"

#include <QEvent>

TSelectRecurringDates::TSelectRecurringDates(QWidget* parent)
    : TTickListDialog("Select Recurring Dates To Use", QSize(420, 269), {"Dates", "Allbutton", "Nonebutton"}, parent)
{
}

void TSelectRecurringDates::FormActivate()
{
    List().TickAll(true);
}

void TSelectRecurringDates::showEvent(QShowEvent* event)
{
    TTickListDialog::showEvent(event);
    FormActivate();
}

bool TSelectRecurringDates::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return TTickListDialog::event(event);
}

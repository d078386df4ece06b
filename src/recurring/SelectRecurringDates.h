#pragma once
// Lets the user tick which of the recurring dates that can fall in the shown month are written
// into the calendar. The rows stay in the order given; every row is ticked each time the dialog
// is shown or activated.

#include "recurring/TickListDialog.h"

class TSelectRecurringDates : public TTickListDialog {
    Q_OBJECT
public:
    explicit TSelectRecurringDates(QWidget* parent = nullptr);

    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
};

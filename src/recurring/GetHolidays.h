#pragma once
// Offers the predefined holidays to add to the recurring dates; none is ticked at first. The
// recurring dates dialog adds the ticked ones after OK.

#include "recurring/TickListDialog.h"

class TGetHolidays : public TTickListDialog {
    Q_OBJECT
public:
    explicit TGetHolidays(QWidget* parent = nullptr);
};

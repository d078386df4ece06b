#pragma once
// Offers the predefined holidays of one country to add to the recurring dates; the country is
// chosen above the list, at first the one of the locale's territory (the United States when no
// catalogue suits it). No row is ticked at first, nor after another country is chosen. The
// recurring dates dialog adds the ticked ones after OK.

#include "recurring/TickListDialog.h"

class QComboBox;

class TGetHolidays : public TTickListDialog {
    Q_OBJECT
public:
    explicit TGetHolidays(QWidget* parent = nullptr);

    // The code of the chosen country ("DE").
    QString CountryCode() const;
    void SetCountryCode(const QString& code);

private:
    void CountryChange();

    QComboBox* m_Country;
};

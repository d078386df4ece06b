#pragma once
// The font name list of the formatting tool bar. Listing the system's font families costs more
// than the rest of the tool bar, and the tool bar is made at start, so the list holds only the
// family it shows until the user opens it or gives it the focus.

#include <QComboBox>

class TFontNameBox : public QComboBox {
public:
    explicit TFontNameBox(QWidget* parent = nullptr);

    // Shows `family`, or the family the system draws it with when it has no such font.
    void SetCurrentFamily(const QString& family);
    bool AllFamiliesListed() const { return m_AllListed; }

    QSize sizeHint() const override;

protected:
    void showPopup() override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void ListAllFamilies();

    bool m_AllListed = false;
};

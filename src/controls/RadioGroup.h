#pragma once
// A titled group of radio buttons chosen by index, such as the orientation and paper choices of
// the properties dialog. ItemIndex() is the checked button (-1 for none); Clicked tells which
// button the user clicked.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    int ItemIndex() const;
    // Checks button `index` without announcing it; an index outside the items changes nothing.
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const;

signals:
    void Clicked(int index);

private:
    QButtonGroup* m_Buttons;
};

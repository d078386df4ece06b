#pragma once
// The About box: the logo, the program's name and version, and an "Ok" button. Shown modally by
// Help / About.

#include <QDialog>

class QLabel;

class TSplashform : public QDialog {
    Q_OBJECT
public:
    explicit TSplashform(QWidget* parent = nullptr);

    QLabel* VersionLabel() const { return m_VersionLabel; }
    QLabel* BitsLabel() const { return m_BitsLabel; }

private:
    QLabel* m_VersionLabel;
    QLabel* m_BitsLabel;
};

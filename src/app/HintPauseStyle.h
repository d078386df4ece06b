#pragma once
// The application's style with the pause before a tool tip shows set to the program's own
// (1.2 seconds instead of the platform's). Installed by the main window at creation.

#include <QProxyStyle>

class THintPauseStyle : public QProxyStyle {
    Q_OBJECT
public:
    static constexpr int HintPauseMs = 1200;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

#pragma once
// The editor dialog of a rich-text label: the formatting tool bar with two zoom buttons, and the
// label's text on a panel the size of the label, in an editor showing the label's page. The
// label fills it (text, page size, zoom, background) and takes the text back on Ok. Zooming
// scales the panel with the editor, from 50 to 100 percent in steps of 10.

#include <QDialog>

class QLabel;
class QScrollArea;
class QToolButton;
class TWPRichText;
class TWPToolBar;

class TRichTextLabelEditor : public QDialog {
    Q_OBJECT
public:
    static constexpr int MinZoomPercent = 50;
    static constexpr int MaxZoomPercent = 100;
    static constexpr int ZoomStepPercent = 10;

    explicit TRichTextLabelEditor(QWidget* parent = nullptr);
    ~TRichTextLabelEditor() override;

    TWPRichText& WPRichText1() const { return *m_WPRichText1; }
    QWidget& WPPanel() const { return *m_WPPanel; }

    // One zoom step in or out, the panel scaled with it; nothing beyond 100 or 50 percent.
    void ZoomPlusButtonClick();
    void ZoomMinusButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Shows the panel, puts the caret at the start and takes the panel's size and the zoom as
    // the reference that zooming scales from.
    void Prepare();
    void ScalePanel();
    void ShowWholeToolBar();

    TWPToolBar* m_WPToolBar1;
    QToolButton* m_ZoomPlusButton;
    QToolButton* m_ZoomMinusButton;
    QLabel* m_ZoomCaption;
    QScrollArea* m_ScrollBox1;
    QWidget* m_WPPanel;
    TWPRichText* m_WPRichText1;
    bool m_Prepared = false;
    QSize m_ReferenceSize;
    int m_ReferenceZoom = 100;
};

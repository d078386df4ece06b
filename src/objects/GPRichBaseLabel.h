#pragma once
// A page object holding formatted text (mixed fonts, colours, styles, alignment) in its box, on
// a transparent or coloured background with an optional border; the rich-text tool creates it.
// The label stores only its text. To lay it out and draw it, it borrows the one hidden editor
// named "MASTERWPRICHTEXT" that the window owning the label carries, as the day cells share the
// page's renderer: the text is copied into the master just before each drawing. The text is
// edited in TRichTextLabelEditor.
//
// The text wraps at the label's width at zoom 1.0 (its document width) whatever zoom the page
// shows, so the page, the editor and the printout break the lines at the same places.

#include "objects/ControlTypes.h"
#include "objects/GGraphicControl.h"
#include "platform/Color.h"
#include "platform/MervaneError.h"

#include <QPointer>

class TWPRichText;
class TWPRtfStorage;
class TWPRtfText;

// Raised by Loaded when the window owning the label has no master editor. It is a stream error
// so that every read that creates a label (a calendar file, the object clipboard) is aborted
// and reported as a damaged read is.
class ENoMasterWPRich : public EMervaneError {
public:
    ENoMasterWPRich();
};

// The name of the master editor; labels compare names in upper case.
inline constexpr const char* MasterRichTextName = "MASTERWPRICHTEXT";

// Creates a hidden master editor owned by `form`, for windows other than the main window that
// show rich-text labels (mvtool's page, benchmarks, tests).
TWPRichText* CreateMasterRichText(TComponent& form);

class TGPRichBaseLabel : public TGGraphicControl {
    Q_OBJECT
public:
    explicit TGPRichBaseLabel(TComponent* owner);

    QString ClassName() const override { return "TGPRichBaseLabel"; }
    void PublishProperties(TPropertyList& list) override;
    // Finds the master (ENoMasterWPRich when there is none). A double-click on the selected
    // label opens the editor.
    void Loaded() override;
    void PopupMenuOpening() override;
    // Draws the label at zoom 1.0 into a picture and stretches it onto its rectangle at zoom 1.0.
    void PrintTo(TReportPrinter& report, double x, double y) override;

    // The master of the window owning `component`: from its owner (or, for a component
    // without one, from the host it lies on) up the chain of owners to the first window; among
    // that window's components the first rich-text editor named "MASTERWPRICHTEXT". Null when
    // there is none.
    static TWPRichText* FindMaster(const TComponent& component);
    TWPRichText* Master() const;

    // Draws the label onto `painter` at (0, 0) with the size `size`, at `zoomPercent`; the text
    // wraps at the document width. Draws nothing without a master.
    void Draw(QPainter& painter, QSize size, int zoomPercent);
    // The editor dialog; on Ok the label takes its text.
    void Edit();

    const TWPRtfText& RTFText() const;
    void SetRTFText(const TWPRtfText& value);
    TColor BGColor() const { return m_BGColor; }
    void SetBGColor(TColor value);
    bool Transparent() const { return m_Transparent; }
    void SetTransparent(bool value);
    TBorderStyle BorderStyle() const { return m_BorderStyle; }
    void SetBorderStyle(TBorderStyle value);

protected:
    void Paint(QPainter& painter) override;
    // The object menu, then "Transparent", "Background Color", "Border" and "Edit".
    void FillObjectMenu(QMenu& menu) override;

private:
    void ChooseBackgroundColor();
    // The host's change notification, except while the label is being read.
    void Changed();

    TWPRtfStorage* m_Storage;
    QPointer<TWPRichText> m_Master;
    TColor m_BGColor = clWhite;
    bool m_Transparent = true;
    QAction* m_TransparentItem = nullptr;
    TBorderStyle m_BorderStyle = bsSingle;
    QAction* m_BorderItem = nullptr;
};

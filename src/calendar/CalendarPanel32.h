#pragma once
// The calendar page: the object host extended with a page layout, the appearance of title,
// headers, day cells and mini calendars, 42 rich-text day cells, the page's own month and day
// names and the date it shows. It lays itself out for its layout, paints the calendar under its
// page objects, and tells its owner which day cell was clicked.

#include "calendar/CalendarDrawRecord.h"
#include "calendar/CalendarSettings.h"
#include "calendar/PageSnapshot.h"
#include "calendar/PageGeometry.h"
#include "objects/GBasePanel.h"

#include <QColor>
#include <QStringList>

#include <array>
#include <functional>

class TReportPrinter;
class TWPRtfStorage;

// On screen, a cell holding more text than it shows has a triangle of this side and colour in the
// bottom-right corner of its free rectangle. It is neither printed nor exported.
constexpr int MoreTextMarkSide = 6;
constexpr QRgb MoreTextMarkColor = 0xFF505050;

// canvas, rTotal, rFree, iCell, iDay, rtfstorage
using TClickedInCellEvent = std::function<void(QPainter* canvas, const TRect& rTotal, const TRect& rFree, int iCell,
                                               int iDay, TWPRtfStorage*& rtfstorage)>;

class TCalendarPanel32 : public TGBasePanel {
    Q_OBJECT
public:
    explicit TCalendarPanel32(TComponent* owner, QWidget* parent = nullptr);
    ~TCalendarPanel32() override;

    QString ClassName() const override { return "TCalendarPanel32"; }

    // Settings; setters ignore unchanged values, then relayout or repaint.
    const TCalendarSettings& Settings() const { return m_Settings; }
    // Takes every setting at once and lays the page out again, keeping the mini font sizes.
    void SetSettings(const TCalendarSettings& settings);
    TCalendarOrientation CalendarOrientation() const { return m_Geometry.Orientation; }
    void SetCalendarOrientation(TCalendarOrientation value);
    TCalendarLayout CalendarLayout() const { return m_Settings.CalendarLayout; }
    void SetCalendarLayout(TCalendarLayout value);
    TCalendarLineLayout CalendarLineLayout() const { return m_Settings.CalendarLineLayout; }
    void SetCalendarLineLayout(TCalendarLineLayout value);
    TMiniCalendarLineLayout MiniCalendarLineLayout() const { return m_Settings.MiniCalendarLineLayout; }
    void SetMiniCalendarLineLayout(TMiniCalendarLineLayout value);
    TColor TitleBGColor() const { return m_Settings.TitleBGColor; }
    void SetTitleBGColor(TColor value);
    TFont& TitleFont() { return m_Settings.TitleFont; }
    TFont& HeadersFont() { return m_Settings.HeadersFont; }
    TFont& CellFont() { return m_Settings.CellFont; }
    TFont& MiniTitleFont() { return m_Settings.MiniTitleFont; }
    TFont& MiniHeadersFont() { return m_Settings.MiniHeadersFont; }
    TFont& MiniCellFont() { return m_Settings.MiniCellFont; }
    double LeftMarginInch() const { return m_Settings.LeftMargin; }
    void SetLeftMarginInch(double value);
    double TopMarginInch() const { return m_Settings.TopMargin; }
    void SetTopMarginInch(double value);
    double RightMarginInch() const { return m_Settings.RightMargin; }
    void SetRightMarginInch(double value);
    double BottomMarginInch() const { return m_Settings.BottomMargin; }
    void SetBottomMarginInch(double value);
    TCalBorderStyle MiniCalBorder() const { return m_Settings.MiniCalBorder; }
    void SetMiniCalBorder(TCalBorderStyle value);
    TCalBorderStyle MiniHeadersBorder() const { return m_Settings.MiniHeadersBorder; }
    void SetMiniHeadersBorder(TCalBorderStyle value);
    TCalBorderStyle MiniCellBorder() const { return m_Settings.MiniCellBorder; }
    void SetMiniCellBorder(TCalBorderStyle value);
    bool MiniShowYear() const { return m_Settings.MiniShowYear; }
    void SetMiniShowYear(bool value);
    TColor MiniHeadersBGColor() const { return m_Settings.MiniHeadersBGColor; }
    void SetMiniHeadersBGColor(TColor value);
    TColor MiniCalBGColor() const { return m_Settings.MiniCalBGColor; }
    void SetMiniCalBGColor(TColor value);
    int MainCalDay() const { return m_Settings.MainCalDay; }
    void SetMainCalDay(int value);
    int MainCalMonth() const { return m_Settings.MainCalMonth; }
    void SetMainCalMonth(int value);
    int MainCalYear() const { return m_Settings.MainCalYear; }
    void SetMainCalYear(int value);
    int StartOfWeek() const { return m_Settings.StartOfWeek; }
    void SetStartOfWeek(int value);
    TCalBorderStyle CalendarBorder() const { return m_Settings.CalendarBorder; }
    void SetCalendarBorder(TCalBorderStyle value);
    bool TitleShowYear() const { return m_Settings.TitleShowYear; }
    void SetTitleShowYear(bool value);
    TCalBorderStyle HeadersBorder() const { return m_Settings.HeadersBorder; }
    void SetHeadersBorder(TCalBorderStyle value);
    TCalHeadersStyle HeadersStyle() const { return m_Settings.HeadersStyle; }
    void SetHeadersStyle(TCalHeadersStyle value);
    TCalHeadersStyle MiniHeadersStyle() const { return m_Settings.MiniHeadersStyle; }
    void SetMiniHeadersStyle(TCalHeadersStyle value);
    TColor HeadersBGColor() const { return m_Settings.HeadersBGColor; }
    void SetHeadersBGColor(TColor value);
    TCalendarNumberPosition NumberPosition() const { return m_Settings.NumberPosition; }
    void SetNumberPosition(TCalendarNumberPosition value);
    TCalBorderStyle CellBorder() const { return m_Settings.CellBorder; }
    void SetCellBorder(TCalBorderStyle value);
    QString UserTitle() const { return m_Settings.UserTitle; }
    void SetUserTitle(const QString& value);
    bool UseA4Paper() const { return m_Settings.UseA4Paper; }
    void SetUseA4Paper(bool value);
    // Time of the first planner hour row, as a fraction of a day.
    double StartTime() const { return m_Settings.StartTime; }
    void SetStartTime(double value);
    TLPanelState PanelState() const { return m_PanelState; }
    void SetPanelState(TLPanelState value);

    const TPageGeometry& Geometry() const { return m_Geometry; }
    void RecalcLayout(bool resetMiniFonts);
    void ApplyMiniFontPreset(int size);

    // Day cells 1..42.
    TWPRtfStorage* GetCellRtf(int index) const;
    void SetCellRtf(int index, const TWPRtfStorage& text);
    int DayOfCell(int index) const;
    int CellOfDay(int day) const;
    int CellAtPoint(int x, int y) const;
    bool IsPointInCell(int x, int y) const;
    void FireCellEventAtPoint(int x, int y);
    void FireCellEvent(int index);
    void EditPreviousCell(int index);
    void EditNextCell(int index);
    const TCellRecord& CellRecord(int index) const { return m_Main.Cells[index - 1]; }
    void ClearAllCells();
    bool HasCellText() const;

    QString GetMonthName(int index) const;
    void SetMonthName(int index, const QString& name);
    QString GetDayName(int index) const;
    void SetDayName(int index, const QString& name);

    TLayoutFamily LayoutFamily() const { return LayoutFamilyOf(m_Settings.CalendarLayout); }
    bool CellsAvailable() const;
    // Whether a special-effects text object lies on the page.
    bool HasSuperTextObject() const;
    void AssignSettings(const TCalendarPanel32& other);
    bool SameSettings(const TCalendarPanel32& other) const;
    void ResetToDefaults();

    // The calendar (without page objects) at the current zoom; day planners start at 8:00 am.
    QImage RenderToBitmap();
    // Prints the page and its objects onto the report's current page, its origin (x, y) inches
    // from the paper's corner, at full size whatever the zoom.
    void PrintPage(TReportPrinter& report, double x, double y);

    // Calendar files and style sheets; stream errors propagate. A failed save leaves the old file.
    void SaveToFile(const QString& fileName);
    // Page objects are created owned by `owner` and placed on the page. An object list that
    // cannot be read whole keeps the objects read before the fault; ObjectsLeftOut names the rest.
    void LoadFromFile(const QString& fileName, TComponent* owner);
    // The class names, in file order, of the objects the last file read left out (an unknown
    // class, a damaged record, and every object after it); an empty name for a record whose
    // class name could not be read. Empty when every object was read.
    const QStringList& ObjectsLeftOut() const { return m_ObjectsLeftOut; }
    // Why the first of them could not be read.
    const QString& ObjectsLeftOutReason() const { return m_ObjectsLeftOutReason; }
    void SaveStyleSheet(const QString& fileName);
    void LoadStyleSheet(const QString& fileName);
    // The settings, cells and objects as they stand now.
    TPageSnapshot Snapshot();
    // Brings the page to `target`, touching only what differs: the settings and the cells where
    // `target` differs from `current` (the snapshot the page stands at), the objects where it
    // differs from the objects on the page. Stream errors propagate (see RestoreObjects).
    void RestoreSnapshot(const TPageSnapshot& target, const TPageSnapshot& current);

    TClickedInCellEvent ClickedInCellEvent;
    TNotifyEvent OnClick;
    TNotifyEvent OnClickedHeader;
    TNotifyEvent OnClickedDaysArea;

    // Creates an object of the current tool's kind in the dragged rectangle, enlarged when small;
    // a tool whose object kind the page cannot create yet does nothing.
    void CreateObjectInRect(const QRect& rect) override;
    // A dragged rectangle as objects are created in it: at least 25 wide (else 50) and 15 high.
    static QRect CreationRect(const QRect& dragged);

protected:
    void Paint(QPainter& painter) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point) override;
    // The paper's size in screen pixels times `zoom`, truncated as all page geometry is.
    QSize SizeAtZoom(float zoom) const override;

private:
    void Relayout();
    void WatchFonts();
    void FillMainRecord(TCalendarDrawRecord& record, float zoom) const;
    void FillMiniRecord(TCalendarDrawRecord& record, float zoom) const;
    // A rectangle of unzoomed screen pixels on the report's paper, (x, y) inches from the corner.
    TRect ToDevice(const TReportPrinter& report, const TRect& pixels, double x, double y) const;
    // Where a cell's text goes on: the screen marks cells holding more text than they show; the
    // bitmap export draws the page as it prints, without marks.
    enum class TCellOverflow { Marked, Unmarked };
    // Draws the calendar with its cell texts at the current zoom onto `image`.
    void DrawCalendar(QImage& image, double plannerStart, TCellOverflow overflow);
    // False when the cell holds more text than shows in `free`.
    bool RenderCellText(QPainter& painter, TWPRtfStorage& cell, const TRect& free);
    void ClickAt(QPoint point);
    // The step every creation ends with: default cursor, selection tool.
    void FinishCreation();
    // A rich-text label in `rect`, not transparent, with a border; its editor opens at once.
    void CreateRichLabel(const QRect& rect);

    TCalendarSettings m_Settings;
    TLPanelState m_PanelState = psPointing;

    std::array<TWPRtfStorage*, CellCount + 1> m_Cells{}; // the day cells and an empty one
    TPageGeometry m_Geometry;
    TCalendarDrawRecord m_Main;
    bool m_Painting = false;
    bool m_Creating = false; // guards CreateObjectInRect against re-entry
    QStringList m_ObjectsLeftOut;
    QString m_ObjectsLeftOutReason;
    QPoint m_PressPoint;
};

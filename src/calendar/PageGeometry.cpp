#include "calendar/PageGeometry.h"

#include "calendar/CalendarDates.h"

namespace {

struct TInches {
    int Ppi;
    int operator()(double inches) const { return int(Ppi * inches); } // truncates toward zero
};

void SetMiniMonths(QList<TMiniCalendar>& minis, int first, int last, int month, int year, int firstOffset)
{
    for (int k = first; k <= last; ++k) {
        int m = month, y = year;
        AddMonths(m, y, firstOffset + (k - first));
        minis[k - 1].Month = m;
        minis[k - 1].Year = y;
    }
}

} // namespace

void PlaceMiniGrid(QList<TMiniCalendar>& minis, int rows, int cols, int first, int last, const TRect& area)
{
    const int h = area.Height();
    const int w = area.Width();
    const int gy = int(0.01 * h);
    const int gx = int(0.01 * w);
    const int ch = int(double(h - gy * (rows - 1)) / rows);
    const int cw = int(double(w - gx * (cols - 1)) / cols);
    int index = first;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) {
            if (index > last)
                return;
            TRect& r = minis[index - 1].Rect;
            r.Left = j == cols - 1 ? area.Right - cw : area.Left + j * (gx + cw);
            r.Top = i == rows - 1 ? area.Bottom - ch : area.Top + i * (gy + ch);
            r.Right = r.Left + cw;
            r.Bottom = r.Top + ch;
            ++index;
        }
    }
}

TLayoutFamily LayoutFamilyOf(TCalendarLayout layout)
{
    if (layout <= loFC12AfterLS)
        return lfMonth;
    if (layout <= loMC60MonthLS)
        return lfMultiMonth;
    return TLayoutFamily(lfWeek + (layout - loWeek));
}

TCalendarOrientation OrientationOfLayout(TCalendarLayout layout)
{
    return layout <= loMC60MonthLS && layout % 2 == 1 ? coLandscape : coPortrait;
}

TPageGeometry ComputePageGeometry(const TCalendarSettings& s, int ppi, const TPageGeometry& previous)
{
    const TInches px{ppi};
    TPageGeometry g = previous;

    g.Orientation = OrientationOfLayout(s.CalendarLayout);
    const bool landscape = g.Orientation == coLandscape;
    const double shortSide = s.UseA4Paper ? 8.27 : 8.5;
    const double longSide = s.UseA4Paper ? 11.69 : 11.0;
    g.Width = px(landscape ? longSide : shortSide);
    g.Height = px(landscape ? shortSide : longSide);
    const int W = g.Width, H = g.Height;

    const int mL = px(s.LeftMargin), mT = px(s.TopMargin), mR = px(s.RightMargin), mB = px(s.BottomMargin);
    const TRect A{mL + 2, mT + 2, W - mR - 2, H - mB - 2};
    const int e = ppi / 8;

    auto setMinis = [&](int count) {
        g.Minis.resize(count);
        g.ShowsMinis = true;
    };
    g.ShowsMonthGrid = true;
    g.ShowsMinis = false;
    g.IsPlanner = false;
    g.MiniFontPreset = 0;

    switch (s.CalendarLayout) {
    case loFullCalendar:
    case LOFullCalendarLS: g.Main = A; break;
    case loFCMinisInTitle:
    case loFCMinisInTitleLS: {
        g.Main = A;
        setMinis(2);
        g.MiniFontPreset = 10;
        const int side = px(1.5);
        const TRect& M = g.Main;
        g.Minis[0].Rect = {M.Left + e, M.Top + e, M.Left + side - e, M.Top + side - e};
        g.Minis[1].Rect = {M.Right - side + e, M.Top + e, M.Right - e, M.Top + side - e};
        SetMiniMonths(g.Minis, 1, 1, s.MainCalMonth, s.MainCalYear, -1);
        SetMiniMonths(g.Minis, 2, 2, s.MainCalMonth, s.MainCalYear, +1);
        break;
    }
    case loFC6Before6After:
        g.Main = {mL + 2, px(s.TopMargin + 1.3) + 2, W - mR - 2, H - px(s.BottomMargin + 1.3) - 2};
        setMinis(12);
        g.MiniFontPreset = 10;
        PlaceMiniGrid(g.Minis, 1, 6, 1, 6, {mL + 2, mT + 2, W - mR - 2, px(s.TopMargin + 1.3) - 2});
        PlaceMiniGrid(g.Minis, 1, 6, 7, 12, {mL + 2, H - px(s.BottomMargin + 1.3) + 2, W - mR - 2, H - mB - 2});
        SetMiniMonths(g.Minis, 1, 6, s.MainCalMonth, s.MainCalYear, -6);
        SetMiniMonths(g.Minis, 7, 12, s.MainCalMonth, s.MainCalYear, +1);
        break;
    case loFC6Before6AfterLS:
        g.Main = {px(s.LeftMargin + 1.3) + 4, mT + 2, W - px(s.RightMargin + 1.3) - 4, H - mB - 2};
        setMinis(12);
        g.MiniFontPreset = 10;
        PlaceMiniGrid(g.Minis, 6, 1, 1, 6, {mL + 2, mT + 2, px(s.LeftMargin + 1.3), H - mB - 2});
        PlaceMiniGrid(g.Minis, 6, 1, 7, 12, {W - px(s.RightMargin + 1.3) + 2, mT + 2, W - mR - 2, H - mB - 2});
        SetMiniMonths(g.Minis, 1, 6, s.MainCalMonth, s.MainCalYear, -6);
        SetMiniMonths(g.Minis, 7, 12, s.MainCalMonth, s.MainCalYear, +1);
        break;
    case loFC12After:
        g.Main = {mL + 2, mT + 2, W - mR - 2, H - px(s.BottomMargin + 2.9) - 2};
        setMinis(12);
        g.MiniFontPreset = 10;
        PlaceMiniGrid(g.Minis, 2, 6, 1, 12, {mL + 2, H - px(s.BottomMargin + 2.8) + 2, W - mR - 2, H - mB + 2});
        SetMiniMonths(g.Minis, 1, 12, s.MainCalMonth, s.MainCalYear, +1);
        break;
    case loFC12AfterLS:
        g.Main = {mL + 2, mT + 2, W - px(s.RightMargin + 2.9) - 2, H - mB - 2};
        setMinis(12);
        g.MiniFontPreset = 10;
        PlaceMiniGrid(g.Minis, 6, 2, 1, 12, {W - px(s.RightMargin + 2.8) + 2, mT + 2, W - mR, H - mB - 2});
        SetMiniMonths(g.Minis, 1, 12, s.MainCalMonth, s.MainCalYear, +1);
        break;
    case lopMC6Month:
    case lopMC6MonthLS:
    case loMC12Month:
    case loMC12MonthLS:
    case loMC24Month:
    case loMC24MonthLS:
    case loMC48Month:
    case loMC48MonthLS:
    case loMC60Month:
    case loMC60MonthLS: {
        struct TGrid {
            int Count, Rows, Cols, Preset;
        };
        static constexpr TGrid Grids[5] = {
            {6, 3, 2, 18}, {12, 4, 3, 18}, {24, 6, 4, 12}, {48, 8, 6, 10}, {60, 10, 6, 8}};
        const TGrid& grid = Grids[(s.CalendarLayout - lopMC6Month) / 2];
        g.ShowsMonthGrid = false;
        setMinis(grid.Count);
        g.MiniFontPreset = grid.Preset;
        PlaceMiniGrid(g.Minis, landscape ? grid.Cols : grid.Rows, landscape ? grid.Rows : grid.Cols, 1, grid.Count, A);
        SetMiniMonths(g.Minis, 1, grid.Count, s.MainCalMonth, s.MainCalYear, 0);
        break;
    }
    case loWeek:
    case lo2Week:
    case loDay10:
    case loDay15:
        g.Main = A;
        g.ShowsMonthGrid = false;
        g.IsPlanner = true;
        break;
    }
    return g;
}

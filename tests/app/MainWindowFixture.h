#pragma once
// The program as it starts, for one test case: a fresh data folder (MV.ini and calendar files),
// scripted answers for every dialog, one installed default printer, and the windows created and
// first activated as main() does. A case may write MV.ini before calling Start().

#include "app/MainForms.h"
#include "calendar/CalendarPanel32.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"
#include "platformui/Printers.h"
#include "platformui/ScriptedUiServices.h"
#include "richtext/WPRichText.h"
#include "richtext/WPRtfStorage.h"

#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TMainWindowFixture {
public:
    TMainWindowFixture()
    {
        OverrideDataFolder(Dir.path() + "/");
        OverridePrinters({[] { return QStringList{"Office"}; }, [] { return QString("Office"); }});
    }

    ~TMainWindowFixture()
    {
        Forms.reset();
        OverridePrinters({});
        OverrideDataFolder(QString());
    }

    // Creates the windows and runs the first activation, with `fileName` named on the command line.
    TCalendarMain& Start(const QString& fileName = QString())
    {
        Forms = std::make_unique<TMainForms>();
        Forms->Start(fileName);
        // The offscreen platform activates every window shown, the icon tool included.
        QCoreApplication::processEvents();
        Forms->Main.activateWindow();
        if (!QTest::qWaitForWindowActive(&Forms->Main))
            qWarning("the main window did not become active");
        Forms->Main.CalendarPanel().repaint();
        return Forms->Main;
    }

    // Closes the main window as the user does; true when it closed.
    bool Close() { return Forms->Main.close(); }

    // Closes (when still open) and starts again with the same data folder.
    TCalendarMain& Restart(const QString& fileName = QString())
    {
        if (Forms->Main.isVisible())
            Close();
        Forms.reset();
        return Start(fileName);
    }

    TCalendarMain& Main() const { return Forms->Main; }
    TCalendarPanel32& Page() const { return Forms->Main.CalendarPanel(); }
    TWPRichText& Editor() const { return Forms->Main.CellEditor(); }
    QString Path(const QString& name) const { return Dir.path() + "/" + name; }

    QAction* Action(const QString& name) const
    {
        auto* action = Forms->Main.findChild<QAction*>(name);
        if (!action)
            qFatal("no action %s", qPrintable(name));
        return action;
    }

    // Triggers a menu item as a click on it does (only when it is enabled).
    void Trigger(const QString& name) const
    {
        QAction* action = Action(name);
        QVERIFY2(action->isEnabled(), qPrintable(name + " is disabled"));
        action->trigger();
    }

    template <typename T>
    T* Widget(const QString& name) const
    {
        auto* widget = Forms->Main.findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }

    // A click in the middle of day cell `index` as the last paint left it.
    void ClickCell(int index) const
    {
        Page().repaint();
        const QPoint point = Page().CellRecord(index).Whole.ToQRect().center();
        QTest::mouseClick(&Page(), Qt::LeftButton, {}, point);
    }

    // Writes a month page to `fileName` (as WriteCalendar does) and starts the program on it, the
    // file last opened.
    TCalendarMain& StartOnMonth(const QString& fileName, int month, int year, int cell = 1, const QString& text = {})
    {
        WriteCalendar(fileName, month, year, cell, text);
        TIniFile(IniFileName()).WriteString("MRU", "F0", fileName);
        return Start();
    }

    // Starts the program on the month calendar in `fileName`, last opened and shown at `zoom` percent.
    TCalendarMain& StartOnCalendar(const QString& fileName, int zoom)
    {
        TIniFile(IniFileName()).WriteString("MRU", "F0", fileName);
        TIniFile(IniFileName()).WriteInteger("Zooming", "Main", zoom);
        return Start();
    }

    // A drag with the left button over the page, from `from` to `to`.
    void DragOnPage(QPoint from, QPoint to) const
    {
        QTest::mousePress(&Page(), Qt::LeftButton, {}, from);
        QTest::mouseMove(&Page(), to);
        QTest::mouseRelease(&Page(), Qt::LeftButton, {}, to);
    }

    // Writes a calendar file of a month page with `text` in day cell `cell`.
    static void WriteCalendar(const QString& fileName, int month, int year, int cell, const QString& text)
    {
        TCalendarPanel32 page(nullptr);
        page.ResetToDefaults();
        page.SetCalendarLayout(LOFullCalendarLS);
        page.SetMainCalMonth(month);
        page.SetMainCalYear(year);
        TWPRtfStorage storage(nullptr);
        storage.RtfText().Document().setPlainText(text);
        page.SetCellRtf(cell, storage);
        page.SaveToFile(fileName);
    }

    static QString CellText(const TCalendarPanel32& page, int cell)
    {
        return page.GetCellRtf(cell)->RtfText().Document().toPlainText();
    }

    // The paragraphs of cell `cell`, each without the blanks that end it; the empty paragraph
    // that ends a filled cell is left out.
    static QStringList CellLines(const TCalendarPanel32& page, int cell)
    {
        QStringList lines = CellText(page, cell).split(u'\n');
        for (QString& line : lines) {
            while (line.endsWith(u' '))
                line.chop(1);
        }
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    // Runs the mvtool beside the tests; its exit code, its error output in `errors` and, when
    // asked, its standard output in `output`.
    static int RunMvTool(const QStringList& arguments, QString& errors, QString* output = nullptr)
    {
        QProcess process;
        process.start(QCoreApplication::applicationDirPath() + "/mvtool", arguments);
        if (!process.waitForFinished(60000))
            return -1;
        errors = QString::fromUtf8(process.readAllStandardError());
        if (output)
            *output = QString::fromUtf8(process.readAllStandardOutput());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir Dir;
    TScriptedUiServices Ui;
    std::unique_ptr<TMainForms> Forms;
};

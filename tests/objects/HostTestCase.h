#pragma once
// What the host-panel test classes share: for each case a fresh data folder, scripted dialogs, a
// tick count the test moves itself, and a shown, active host panel owned by a test owner whose
// change events are counted.

#include "TestPageObjects.h"

#include "objects/ScreenCursor.h"
#include "objects/TickCount.h"
#include "platform/ProgramFolders.h"
#include "platformui/ScriptedUiServices.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

class THostTestCase : public QObject {
protected:
    // From init(): the host at `size`, shown and active; false when the window system does not
    // show it.
    bool SetUpHost(QSize size)
    {
        m_Dir = new QTemporaryDir;
        OverrideDataFolder(m_Dir->path());
        m_Ui = new TScriptedUiServices;
        m_Tick = 100000;
        OverrideTickCount(m_Tick);
        m_Owner = new TTestOwner;
        m_Host = new TTestHost(m_Owner);
        m_Host->resize(size);
        m_Changes = 0;
        m_Host->LabelChangedEvent = [this](TComponent*) { ++m_Changes; };
        m_Host->show();
        if (!QTest::qWaitForWindowExposed(m_Host))
            return false;
        m_Host->activateWindow();
        return QTest::qWaitForWindowActive(m_Host);
    }

    // From cleanup(): closes what the case left open and frees the host with its objects.
    void TearDownHost()
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        if (QWidget* grabber = QWidget::mouseGrabber())
            grabber->releaseMouse();
        SetScreenCursor(crDefault);
        delete m_Owner; // frees the host and the objects
        m_Owner = nullptr;
        m_Host = nullptr;
        delete m_Ui;
        m_Ui = nullptr;
        OverrideTickCount(0);
        OverrideDataFolder({});
        delete m_Dir;
        m_Dir = nullptr;
    }

    // Moves the tick count on by `ms`.
    void Advance(quint32 ms)
    {
        m_Tick += ms;
        OverrideTickCount(m_Tick);
    }

    QTemporaryDir* m_Dir = nullptr;
    TScriptedUiServices* m_Ui = nullptr;
    TTestOwner* m_Owner = nullptr;
    TTestHost* m_Host = nullptr;
    quint32 m_Tick = 0;
    int m_Changes = 0;
};

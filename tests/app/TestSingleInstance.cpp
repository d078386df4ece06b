// One running instance: a second start finds the first, asks it to come forward, and is told
// to end.

#include "app/MainForms.h"
#include "app/SingleInstance.h"
#include "MainWindowFixture.h"

#include <QDir>
#include <QFile>
#include <QUuid>
#include <QtTest>

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void SecondStartBringsTheFirstForward();
    void StaleSocketDoesNotBlockTheFirstStart();
};

void TestSingleInstance::SecondStartBringsTheFirstForward()
{
    const QString name = "MervaneTest-" + QUuid::createUuid().toString(QUuid::Id128);
    TMainWindowFixture f;
    TSingleInstance first(name);
    QVERIFY(first.BecomeFirstInstance());
    TCalendarMain& main = f.Start();
    // Wired as main() wires it.
    connect(&first, &TSingleInstance::ActivationRequested, &main, &TCalendarMain::ComeForward);
    main.showMinimized();
    QVERIFY(main.isMinimized());
    QSignalSpy requests(&first, &TSingleInstance::ActivationRequested);

    TSingleInstance second(name);
    QVERIFY(!second.BecomeFirstInstance());
    QVERIFY(requests.wait(5000));
    QCOMPARE(requests.size(), 1);
    QVERIFY(!main.isMinimized());
    QVERIFY(main.isVisible());
}

void TestSingleInstance::StaleSocketDoesNotBlockTheFirstStart()
{
    const QString name = "MervaneTest-" + QUuid::createUuid().toString(QUuid::Id128);
    // An instance that crashed leaves its socket file behind, with nobody listening on it.
    QFile stale(QDir::tempPath() + "/" + name);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    TSingleInstance next(name);
    QVERIFY(next.BecomeFirstInstance());
    TSingleInstance later(name);
    QVERIFY(!later.BecomeFirstInstance());
}

QObject* NewTestSingleInstance()
{
    return new TestSingleInstance;
}

#include "TestSingleInstance.moc"

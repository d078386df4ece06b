#pragma once
// Keeps the program to one running instance per user: the first instance listens on a local
// socket; a later start finds it there, asks it to come forward and ends. main() holds one guard
// for the whole run; tests use their own server names.

#include <QObject>
#include <QString>

class QLocalServer;

class TSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit TSingleInstance(const QString& serverName, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // The name main() uses: one per user.
    static QString DefaultServerName();

    // True when no other instance runs: this one then listens for later starts. False when one
    // runs; it has been asked to come forward.
    bool BecomeFirstInstance();

signals:
    // A later start asked this instance to come forward.
    void ActivationRequested();

private:
    bool AskRunningInstance();
    void Listen();

    QString m_ServerName;
    QLocalServer* m_Server = nullptr;
};

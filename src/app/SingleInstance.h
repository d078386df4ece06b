#pragma once
// Keeps the program to one running instance per user: the first instance listens on a local
// socket; a later start finds it there, asks it to come forward (handing it the calendar file it
// was started with, if any) and ends. main() holds one guard for the whole run; tests use their
// own server names.
//
// A request is one line: "come forward\n", or "open " + an absolute path in UTF-8 + "\n". Lines
// longer than MaximumRequestLength, paths that are not absolute and anything else are ignored.

#include <QObject>
#include <QString>

class QLocalServer;

class TSingleInstance : public QObject {
    Q_OBJECT
public:
    struct TRequest {
        enum class TKind { Ignored, ComeForward, Open };
        TKind Kind = TKind::Ignored;
        QString FileName; // absolute, for Open
    };

    // Longest request line read, its newline included: "open " and a path of PATH_MAX bytes.
    static constexpr int MaximumRequestLength = 5 + 4096 + 1;

    explicit TSingleInstance(const QString& serverName, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // The name main() uses: one per user.
    static QString DefaultServerName();

    // The request a line read from the socket makes.
    static TRequest ReadRequest(const QByteArray& line);
    // The line that asks for `fileName` (absolute) to be opened, or only to come forward.
    static QByteArray RequestLine(const QString& fileName);

    // True when no other instance runs: this one then listens for later starts. False when one
    // runs; it has been asked to come forward and to open `fileName` (absolute) when given.
    bool BecomeFirstInstance(const QString& fileName = QString());

signals:
    // A later start asked this instance to come forward.
    void ActivationRequested();
    // A later start asked this instance to come forward and open the file.
    void OpenRequested(const QString& fileName);

private:
    bool AskRunningInstance(const QString& fileName);
    void Listen();

    QString m_ServerName;
    QLocalServer* m_Server = nullptr;
};

#pragma once
// A CUPS server of the test's own: Debian's cupsd on a socket in a temporary folder, with two
// cups-pdf queues, stopped when the object goes. "MervaneCopier" has a driver that makes copies
// itself (cups-pdf then writes the page once: it ignores the copy count); "MervaneNoCopier" has
// one that cannot (its PPD says cupsManualCopies), so copies must come as pages. Both have
// unprintable margins of 0.25 (left), 0.5 (top), 0.75 (right) and 1 inch (bottom) on Letter
// and A4 paper, portrait.
//
// Clients in this process reach it through CUPS_SERVER, which Start() sets; it must run before
// anything in the process asks CUPS (libcups keeps the first server it was told). cups-pdf
// writes each job into the cups-pdf output folder of the user who sent it (its own
// configuration, outside the test's folder); JobOutput() finds a job's file there by a word of
// its title, and the test removes it.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class TCupsServer {
public:
    static inline const QString Copier = "MervaneCopier";
    static inline const QString NoCopier = "MervaneNoCopier";

    ~TCupsServer();

    // Starts the server and adds the queues; empty on success, else why it could not.
    QString Start();

    // The highest job id on `queue` so far; 0 when none.
    int LastJob(const QString& queue) const;
    // Waits until job `id` has ended; false on timeout.
    bool WaitForJob(int id) const;
    // The job's copy count (1 when it asked for none); 0 when the job cannot be read.
    int JobCopies(int id) const;
    // The PDF cups-pdf wrote for job `id` whose title holds `titleWord`; empty when none.
    QString JobOutput(int id, const QString& titleWord) const;
    // What cupsd wrote to its error log, for failure messages.
    QString ErrorLog() const;

private:
    QString Path(const QString& name) const { return m_Dir->path() + "/" + name; }
    QString WritePpd(const QString& name, bool driverCopies) const;
    QString RunClient(const QString& program, const QStringList& arguments) const;

    std::unique_ptr<QTemporaryDir> m_Dir;
    QProcess m_Cupsd;
};

#pragma once
// The error of anything that failed for a reason the user should read: a damaged or unreadable
// file, a value out of range, an output that cannot be written, a printer that refuses a page.
// The stream, the print engine and mvtool raise it; the command the user started catches it and
// shows its message.

#include <QString>
#include <stdexcept>

class EMervaneError : public std::runtime_error {
public:
    explicit EMervaneError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_Message(message)
    {
    }

    const QString& Message() const { return m_Message; }

private:
    QString m_Message;
};

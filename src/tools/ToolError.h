#pragma once
// The error of an mvtool command that is not a stream fault: a wrong field in the JSON (its
// message starts with the field's path, "settings.TitleFont.Size: ..."), a wrong argument, an
// output that cannot be written. mvtool prints the message and ends with a non-zero exit code.

#include <QString>
#include <stdexcept>

class EToolError : public std::runtime_error {
public:
    explicit EToolError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_Message(message)
    {
    }

    const QString& Message() const { return m_Message; }

private:
    QString m_Message;
};

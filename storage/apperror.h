#pragma once

#include <QString>
#include <stdexcept>

// The one exception type the program raises for failures a person can meet.
// Its text is what the error box shows, so it is always a complete sentence
// (in Portuguese, or the engine's own message where that is more precise).
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

    QString message() const { return m_message; }

private:
    QString m_message;
};

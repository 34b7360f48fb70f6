#pragma once

#include <QString>
#include <stdexcept>

namespace florist {

// An action that cannot go on. The window's action catches it at its top, shows text() in a
// message box and stops; nothing after the failing step runs.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// A statement the database refused; text() is the provider's own message.
class DbError : public Failure {
public:
    DbError(const QString& text, const QString& statement) : Failure(text), statement_(statement) {}
    const QString& statement() const { return statement_; }

private:
    QString statement_;
};

} // namespace florist

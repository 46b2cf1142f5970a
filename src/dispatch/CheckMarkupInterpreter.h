#pragma once
// Keeps the interpreter choice consistent at every start: stores the
// built-in choice when none is stored, retires choices this platform cannot
// serve, and checks that a custom PHP interpreter still runs.

#include <QString>
#include <functional>

class CheckMarkupInterpreter {
public:
    // Shows (title, message) to the user: an alert in the application,
    // standard error on the command line.
    using AlertPresenter = std::function<void(const QString& title, const QString& message)>;

    static void performCheck(const AlertPresenter& showCriticalAlert);
};

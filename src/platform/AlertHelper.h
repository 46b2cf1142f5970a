#pragma once
// Every alert of the application: a message box whose main text is the title
// and whose informative text is the message. The modal forms return which
// button was pressed: 1000 for the first, 1001 for the second, 1002 for the
// third (an alert without named buttons has one OK button, 1000).

#include <QString>
#include <QStringList>
#include <functional>

class QMessageBox;
class QWidget;

class AlertHelper {
public:
    enum Style { Warning = 0, Informational = 1, Critical = 2 };
    enum Result { FirstButton = 1000, SecondButton = 1001, ThirdButton = 1002 };

    static int warningWithTitle(const QString& title, const QString& andMessage);
    static int warningWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                const QString& secondButtonTitle);
    static int warningWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                const QString& secondButtonTitle, const QString& thirdButtonTitle);

    static int informalWithTitle(const QString& title, const QString& andMessage);
    static int informalWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                 const QString& secondButtonTitle);
    static int informalWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                 const QString& secondButtonTitle, const QString& thirdButtonTitle);

    static int criticlaWithTitle(const QString& title, const QString& andMessage);
    static int criticlaWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                 const QString& secondButtonTitle);
    static int criticlaWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                 const QString& secondButtonTitle, const QString& thirdButtonTitle);

    // Runs the alert modally over the active window; `buttons` in order,
    // empty for the single default button.
    static int runAlertWithStyle(int style, const QString& andTitle, const QString& andMessage,
                                 const QStringList& buttons = {});

    // The same alert as a sheet of `window`: it returns at once, the window
    // stays usable elsewhere, and `completion` (if any) gets the result when
    // the alert is answered. The box is a child of the window until then.
    static QMessageBox* beginSheetWithStyle(int style, const QString& andTitle, const QString& andMessage,
                                            QWidget* window, const QStringList& buttons = {},
                                            std::function<void(int)> completion = {});
};

#include "platform/AlertHelper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon iconForStyle(int style) {
    switch (style) {
    case AlertHelper::Informational:
        return QMessageBox::Information;
    case AlertHelper::Critical:
        return QMessageBox::Critical;
    default:
        return QMessageBox::Warning;
    }
}

// The first button is the default and answers Return; the last of two or
// more answers Escape, as a Cancel button would.
QMessageBox* buildAlert(int style, const QString& title, const QString& message, const QStringList& buttons,
                        QWidget* parent) {
    auto* alert = new QMessageBox(parent);
    alert->setIcon(iconForStyle(style));
    alert->setWindowTitle(QApplication::applicationDisplayName());
    alert->setText(title);
    alert->setInformativeText(message);
    if (buttons.isEmpty()) {
        alert->setStandardButtons(QMessageBox::Ok);
        alert->setDefaultButton(QMessageBox::Ok);
        return alert;
    }
    for (int index = 0; index < buttons.size(); ++index) {
        // Roles only place the buttons; the result comes from the order given.
        const auto role = index == 0 ? QMessageBox::AcceptRole
                          : index == buttons.size() - 1 ? QMessageBox::RejectRole
                                                        : QMessageBox::ActionRole;
        QPushButton* button = alert->addButton(buttons.at(index), role);
        button->setProperty("alertResult", AlertHelper::FirstButton + index);
        if (index == 0)
            alert->setDefaultButton(button);
    }
    if (buttons.size() > 1)
        alert->setEscapeButton(alert->buttons().constLast());
    return alert;
}

int resultOf(QMessageBox* alert) {
    QAbstractButton* clicked = alert->clickedButton();
    if (clicked && clicked->property("alertResult").isValid())
        return clicked->property("alertResult").toInt();
    return AlertHelper::FirstButton;
}

}  // namespace

int AlertHelper::runAlertWithStyle(int style, const QString& andTitle, const QString& andMessage,
                                   const QStringList& buttons) {
    QMessageBox* alert = buildAlert(style, andTitle, andMessage, buttons, QApplication::activeWindow());
    alert->exec();
    const int result = resultOf(alert);
    delete alert;
    return result;
}

QMessageBox* AlertHelper::beginSheetWithStyle(int style, const QString& andTitle, const QString& andMessage,
                                              QWidget* window, const QStringList& buttons,
                                              std::function<void(int)> completion) {
    QMessageBox* alert = buildAlert(style, andTitle, andMessage, buttons, window);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowModality(Qt::WindowModal);
    QObject::connect(alert, &QMessageBox::finished, alert, [alert, completion](int) {
        if (completion)
            completion(resultOf(alert));
    });
    alert->open();
    return alert;
}

int AlertHelper::warningWithTitle(const QString& title, const QString& andMessage) {
    return runAlertWithStyle(Warning, title, andMessage);
}
int AlertHelper::warningWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                  const QString& secondButtonTitle) {
    return runAlertWithStyle(Warning, title, andMessage, {firstButtonTitle, secondButtonTitle});
}
int AlertHelper::warningWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                  const QString& secondButtonTitle, const QString& thirdButtonTitle) {
    return runAlertWithStyle(Warning, title, andMessage, {firstButtonTitle, secondButtonTitle, thirdButtonTitle});
}

int AlertHelper::informalWithTitle(const QString& title, const QString& andMessage) {
    return runAlertWithStyle(Informational, title, andMessage);
}
int AlertHelper::informalWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                   const QString& secondButtonTitle) {
    return runAlertWithStyle(Informational, title, andMessage, {firstButtonTitle, secondButtonTitle});
}
int AlertHelper::informalWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                   const QString& secondButtonTitle, const QString& thirdButtonTitle) {
    return runAlertWithStyle(Informational, title, andMessage, {firstButtonTitle, secondButtonTitle, thirdButtonTitle});
}

int AlertHelper::criticlaWithTitle(const QString& title, const QString& andMessage) {
    return runAlertWithStyle(Critical, title, andMessage);
}
int AlertHelper::criticlaWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                   const QString& secondButtonTitle) {
    return runAlertWithStyle(Critical, title, andMessage, {firstButtonTitle, secondButtonTitle});
}
int AlertHelper::criticlaWithTitle(const QString& title, const QString& andMessage, const QString& firstButtonTitle,
                                   const QString& secondButtonTitle, const QString& thirdButtonTitle) {
    return runAlertWithStyle(Critical, title, andMessage, {firstButtonTitle, secondButtonTitle, thirdButtonTitle});
}

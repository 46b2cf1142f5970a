#include "preferences/MarkupInterpreter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPushButton>
#include <QUrl>

#include "window/FileManager.h"
#include "platform/AlertHelper.h"
#include "platform/SandboxAccess.h"
#include "preferences/InterpreterVersion.h"
#include "preferences/PaneSupport.h"
#include "settings/SettingsStore.h"
#include "ui_MarkupInterpreter.h"

Q_LOGGING_CATEGORY(interpreterPaneLog, "quillview.preferences")

namespace {

QString text(const char* key) {
    return QCoreApplication::translate("MarkupInterpreter-Add", key);
}

}  // namespace

MarkupInterpreter::MarkupInterpreter(QObject* parent)
    : QObject(parent), ui(std::make_unique<Ui::MarkupInterpreter>()), view_(new QWidget) {
    ui->setupUi(view_);
    connect(ui->checkbox_useBuiltIn, &QCheckBox::clicked, this, &MarkupInterpreter::checkBuiltIn);
    connect(ui->checkbox_useSwift, &QCheckBox::clicked, this, &MarkupInterpreter::check_Swift);
    connect(ui->checkbox_useStandard, &QCheckBox::clicked, this, &MarkupInterpreter::check_Standard);
    connect(ui->checkbox_useCustomPHP, &QCheckBox::clicked, this, &MarkupInterpreter::check_CustomPHP);
    connect(ui->button_selectPHPBinary, &QPushButton::clicked, this, &MarkupInterpreter::selectPHPBinary);
    connect(ui->button_Help, &QPushButton::clicked, this, &MarkupInterpreter::showPHPInterpreterHelp);
}

MarkupInterpreter::~MarkupInterpreter() = default;

void MarkupInterpreter::setUp() {
    // Neither a system PHP nor the second-generation converters exist on this
    // platform; start-up turns either choice into the built-in converters.
    ui->checkbox_useStandard->hide();
    ui->checkbox_useSwift->hide();
    showStoredChoice();
    const QString path = SettingsStore::shared().customPhpPath();
    ui->textfield_customPHPMessage->clear();
    if (!path.isEmpty()) {
        showVersionOf(path);
        ui->pathToPHPBinary->setText(path);
    }
}

void MarkupInterpreter::showStoredChoice() {
    SettingsStore& settings = SettingsStore::shared();
    ui->checkbox_useBuiltIn->setChecked(settings.useBuiltInConverters());
    ui->checkbox_useSwift->setChecked(settings.useSwift());
    ui->checkbox_useStandard->setChecked(settings.useSystemPhp());
    ui->checkbox_useCustomPHP->setChecked(settings.useCustomPhp());
}

bool MarkupInterpreter::showVersionOf(const QString& path) {
    const interpreterversion::Answer answer = interpreterversion::ask(path);
    if (!answer.started) {
        ui->textfield_customPHPMessage->clear();
        return false;
    }
    const bool answered = !answer.firstLine.isEmpty();
    ui->textfield_customPHPMessage->setText(answered ? answer.firstLine : text("Can't communicate with PHP Binary"));
    return answered;
}

void MarkupInterpreter::selectPHPBinary() {
    const QString current = SettingsStore::shared().customPhpPath();
    auto* chooser = new QFileDialog(view_->window());
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setFileMode(QFileDialog::ExistingFile);
    chooser->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    chooser->setDirectory(current.isEmpty() ? QString("/usr/bin") : QFileInfo(current).absolutePath());
    connect(chooser, &QFileDialog::fileSelected, this, &MarkupInterpreter::choosePHPBinary);
    chooser->open();
}

void MarkupInterpreter::choosePHPBinary(const QString& path) {
    if (path.isEmpty())
        return;
    const interpreterversion::Answer answer = interpreterversion::ask(path);
    if (!answer.started) {
        qCWarning(interpreterPaneLog).noquote() << QString("EXCEPTION NSTASK: %1").arg(path);
        const int choice = AlertHelper::criticlaWithTitle(
            text("PHP_INT_FAIL_TITLE"), text("PHP_INT_FAIL_MESSAGE"), text("PHP_INT_FAIL_BUTTON_FINDER"),
            text("PHP_INT_FAIL_BUTTON_HELP"), text("PHP_INT_FAIL_BUTTON_CANCEL"));
        if (choice == AlertHelper::FirstButton)
            filemanager::revealFile(path);
        else if (choice == AlertHelper::SecondButton)
            showPHPInterpreterHelp();
        return;
    }
    if (answer.firstLine.isEmpty()) {
        ui->textfield_customPHPMessage->setText(text("Can't communicate with PHP Binary"));
        AlertHelper::criticlaWithTitle(
            text("Can't communicate with file"),
            text("Quillview wasn't able to communicate with the selected binary to retrieve the version-number of "
                 "PHP. It might not work at all."));
    } else {
        ui->textfield_customPHPMessage->setText(answer.firstLine);
    }
    SettingsStore& settings = SettingsStore::shared();
    settings.setCustomPhpPath(path);
    settings.setCustomPhpGrant(SandboxAccess::bookmarkDataForURL(QUrl::fromLocalFile(path)));
    settings.sync();
    ui->pathToPHPBinary->setText(path);
}

bool MarkupInterpreter::keepOneTicked(QCheckBox* clicked) {
    QCheckBox* boxes[] = {ui->checkbox_useBuiltIn, ui->checkbox_useSwift, ui->checkbox_useStandard,
                          ui->checkbox_useCustomPHP};
    for (QCheckBox* box : boxes)
        if (box->isChecked())
            return true;
    clicked->setChecked(true);
    return false;
}

// The clicked box's setting on, the three others off.
void MarkupInterpreter::choose(QCheckBox* clicked) {
    const std::pair<QCheckBox*, void (SettingsStore::*)(const bool&)> choices[] = {
        {ui->checkbox_useBuiltIn, &SettingsStore::setUseBuiltInConverters},
        {ui->checkbox_useSwift, &SettingsStore::setUseSwift},
        {ui->checkbox_useStandard, &SettingsStore::setUseSystemPhp},
        {ui->checkbox_useCustomPHP, &SettingsStore::setUseCustomPhp},
    };
    SettingsStore& settings = SettingsStore::shared();
    for (const auto& [box, store] : choices) {
        box->setChecked(box == clicked);
        (settings.*store)(box == clicked);
    }
    settings.sync();
}

void MarkupInterpreter::check_CustomPHP() {
    if (!keepOneTicked(ui->checkbox_useCustomPHP))
        return;
    const QString path = SettingsStore::shared().customPhpPath();
    if (path.isEmpty() || !showVersionOf(path)) {
        AlertHelper::criticlaWithTitle(text("NO_VALID_PHP_SELECTED_TITLE"), text("NO_VALID_PHP_SELECTED_MESSAGE"));
        // The choice before the click stays.
        ui->checkbox_useCustomPHP->setChecked(false);
        SettingsStore::shared().setUseCustomPhp(false);
        return;
    }
    choose(ui->checkbox_useCustomPHP);
}

void MarkupInterpreter::check_Swift() {
    if (keepOneTicked(ui->checkbox_useSwift))
        choose(ui->checkbox_useSwift);
}

void MarkupInterpreter::check_Standard() {
    if (keepOneTicked(ui->checkbox_useStandard))
        choose(ui->checkbox_useStandard);
}

void MarkupInterpreter::checkBuiltIn() {
    if (keepOneTicked(ui->checkbox_useBuiltIn))
        choose(ui->checkbox_useBuiltIn);
}

void MarkupInterpreter::showPHPInterpreterHelp() {
    emit helpRequested("CustomPHPInterpreter");
}

#include "preferences/Preferences_MultiMarkdownExe.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QPushButton>
#include <QUrl>

#include "platform/AlertHelper.h"
#include "preferences/ExecutableSearch.h"
#include "preferences/PaneSupport.h"
#include "settings/SettingsStore.h"
#include "ui_Preferences_MultiMarkdownExe.h"

namespace {

QString text(const char* key) {
    return QCoreApplication::translate("Preferences_MultiMarkdownExe-Add", key);
}

// Debian packages the MultiMarkdown converter; its page says how to get it.
constexpr char kDownloadPage[] = "https://packages.debian.org/stable/libtext-multimarkdown-perl";

}  // namespace

Preferences_MultiMarkdownExe::Preferences_MultiMarkdownExe(QObject* parent)
    : QObject(parent), ui(std::make_unique<Ui::Preferences_MultiMarkdownExe>()), view_(new QWidget) {
    ui->setupUi(view_);
    connect(ui->button_MMD_Check, &QPushButton::clicked, this, &Preferences_MultiMarkdownExe::button_MMD_Check);
    connect(ui->button_MMD_CallWebsite, &QPushButton::clicked, this,
            &Preferences_MultiMarkdownExe::button_MMD_CallWebsite);
    connect(ui->button_MMD_ShowUSRBinFolder, &QPushButton::clicked, this,
            &Preferences_MultiMarkdownExe::button_MMD_ShowUSRBinFolder);
    connect(ui->button_Help, &QPushButton::clicked, this, [this] { emit helpRequested("PreferencesMultiMarkdown"); });
}

Preferences_MultiMarkdownExe::~Preferences_MultiMarkdownExe() = default;

void Preferences_MultiMarkdownExe::setUp() {
    set_MMD_Interface_Labels();
}

namespace {

// MultiMarkdown documents that are open convert again with the new choice.
void storeExecutablePath(const QString& path) {
    SettingsStore::shared().setMultiMarkdownProgram(path);
    SettingsStore::shared().sync();
}

}  // namespace

void Preferences_MultiMarkdownExe::set_MMD_Interface_Labels() {
    const QString path = SettingsStore::shared().multiMarkdownProgram().value_or(QString());
    if (!path.isEmpty()) {
        ui->textfield_MMD_message->setText(path);
        ui->button_MMD_Check->setText(text("MMD_LABEL_RESET"));
    } else {
        ui->textfield_MMD_message->setText(text("MMD_USE_PERL_VERSION_MESSAGE"));
        ui->button_MMD_Check->setText(text("MMD_LABEL_CHECK"));
    }
}

void Preferences_MultiMarkdownExe::button_MMD_Check() {
    SettingsStore& settings = SettingsStore::shared();
    if (!settings.multiMarkdownProgram().value_or(QString()).isEmpty()) {
        storeExecutablePath(QString());
        set_MMD_Interface_Labels();
        return;
    }
    using namespace executablesearch;
    const QString found = findFile("multimarkdown", programFolders(), walkedFolders());
    if (found.isEmpty()) {
        ui->textfield_MMD_message->setText(text("MMD_USE_NOT_FOUND_MESSAGE"));
        return;
    }
    if (!QFileInfo(found).isExecutable()) {
        ui->textfield_MMD_message->setText(text("MMD_CANNOT_EXECUTE"));
        return;
    }
    storeExecutablePath(found);
    set_MMD_Interface_Labels();
}

void Preferences_MultiMarkdownExe::button_MMD_CallWebsite() {
    if (!SettingsStore::shared().openUrlWithoutWarning()) {
        const int answer = AlertHelper::informalWithTitle(
            text("MMD_OPEN_WEBSITE_TITLE"), text("MMD_OPEN_WEBSITE_MESSAGE").replace("%@", kDownloadPage),
            text("MMD_OPEN_WEBSITE_OPEN"), text("MMD_OPEN_WEBSITE_CANCEL"));
        if (answer != AlertHelper::FirstButton)
            return;
    }
    QDesktopServices::openUrl(QUrl(kDownloadPage));
}

void Preferences_MultiMarkdownExe::button_MMD_ShowUSRBinFolder() {
    QDesktopServices::openUrl(QUrl::fromLocalFile("/usr/local/bin/"));
}

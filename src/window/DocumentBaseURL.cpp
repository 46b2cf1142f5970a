// The base-URL popover: the option, the folder for option 3 and the web
// address for option 4. The choice is application-wide; only this window
// renders again at once.
#include <QButtonGroup>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "pipeline/BaseURL.h"
#include "window/Document.h"
#include "platform/AlertHelper.h"
#include "settings/SettingsStore.h"
#include "ui_Document.h"

void Document::connectBaseURLPopover() {
    QFrame* popover = ui->popover_BaseURL;
    popover->setParent(this, Qt::Popup);
    popover->hide();
    auto* options = new QButtonGroup(popover);
    options->addButton(ui->radio_BaseUrl_1, 1);
    options->addButton(ui->radio_BaseUrl_2, 2);
    options->addButton(ui->radio_BaseUrl_3, 3);
    options->addButton(ui->radio_BaseUrl_4, 4);
    connect(options, &QButtonGroup::idClicked, this, &Document::selectBaseURLMethod);
    connect(ui->button_BaseURL_ChooseFolder, &QPushButton::clicked, this, &Document::selectBASEURLFolder);
    connect(ui->textfield_BaseURL_WebURL, &QLineEdit::editingFinished, this, [this] {
        SettingsStore::shared().setBaseUrlWebAddress(ui->textfield_BaseURL_WebURL->text());
        baseURLWebsourceReload();
    });
    connect(ui->button_BaseURL_Help, &QToolButton::clicked, this, &Document::showBaseURLHelp);
}

void Document::showPopover_BaseURL() {
    const int option = SettingsStore::shared().baseUrlOption();
    QRadioButton* radios[] = {ui->radio_BaseUrl_1, ui->radio_BaseUrl_2, ui->radio_BaseUrl_3, ui->radio_BaseUrl_4};
    radios[option >= 1 && option <= 4 ? option - 1 : 1]->setChecked(true);
    ui->pathControl_BaseURL->setText(baseurl::storedFolderURL().toLocalFile());
    ui->textfield_BaseURL_WebURL->setText(SettingsStore::shared().baseUrlWebAddress());
    QWidget* anchor = button_toolbar_BASEURL;
    ui->popover_BaseURL->adjustSize();
    ui->popover_BaseURL->move(anchor->mapToGlobal(QPoint(0, anchor->height())));
    ui->popover_BaseURL->show();
}

void Document::selectBaseURLMethod(int option) {
    SettingsStore::shared().setBaseUrlOption(option);
    const QString folder = QFileInfo(filePath_).absolutePath();
    if (option == 2 && !QFileInfo(folder).isReadable()) {
        AlertHelper::informalWithTitle(
            QCoreApplication::translate("Localizable", "BASEURLAUTOMATIC_ACCESS_TITLE"),
            QCoreApplication::translate("Localizable", "BASEURLAUTOMATIC_ACCESS_MESSGAE").replace("%@", folder));
    }
    reloadTxt();
}

void Document::selectBASEURLFolder() {
    auto* chooser = new QFileDialog(this);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setFileMode(QFileDialog::Directory);
    chooser->setOption(QFileDialog::ShowDirsOnly);
    chooser->setDirectory(QFileInfo(filePath_).absolutePath());
    connect(chooser, &QFileDialog::fileSelected, this, &Document::setBaseURLFolder);
    chooser->open();
}

void Document::setBaseURLFolder(const QString& folder) {
    if (folder.isEmpty())
        return;
    // No sandbox bookmarks here: the stored grant is the folder's URL itself.
    SettingsStore::shared().setBaseUrlFolder(QUrl::fromLocalFile(folder));
    SettingsStore::shared().setBaseUrlFolderGrant(QUrl::fromLocalFile(folder).toEncoded());
    ui->pathControl_BaseURL->setText(folder);
    reloadTxt();
}

void Document::baseURLWebsourceReload() {
    if (SettingsStore::shared().baseUrlOption() == 4)
        reloadTxt();
}

void Document::showBaseURLHelp() {
    emit helpRequested("BaseURL");
}

// The document window's toolbar: copy HTML, base URL, editors, view mode and
// font size.
#include <QIcon>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "window/Document.h"
#include "window/SegmentedControl.h"
#include "window/ViewSettings.h"
#include "ui_Document.h"

namespace {

QIcon toolbarIcon(const QString& name) {
    return QIcon(QString(":/icons/%1.svg").arg(name));
}

QToolButton* toolButton(QWidget* parent, const QString& objectName, const QString& icon, const QString& toolTip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setIcon(toolbarIcon(icon));
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

void Document::buildToolbar() {
    QToolBar* toolbar = ui->toolbar;
    toolbar->setIconSize(QSize(20, 20));

    button_toolbar_ClipboardHTML = toolButton(toolbar, "button_toolbar_ClipboardHTML", "copy-html", tr("Copy HTML"));
    connect(button_toolbar_ClipboardHTML, &QToolButton::clicked, this, &Document::copyHtml);
    toolbar->addWidget(button_toolbar_ClipboardHTML);

    button_toolbar_BASEURL = toolButton(toolbar, "button_toolbar_BASEURL", "base-url", tr("Base URL"));
    connect(button_toolbar_BASEURL, &QToolButton::clicked, this, &Document::showPopover_BaseURL);
    toolbarItem_BASEURL = toolbar->addWidget(button_toolbar_BASEURL);

    popupButton_Toolbar_EditIn = toolButton(toolbar, "popupButton_Toolbar_EditIn", "edit-in", tr("Edit in"));
    editorMenu_ = new QMenu(popupButton_Toolbar_EditIn);
    popupButton_Toolbar_EditIn->setMenu(editorMenu_);
    popupButton_Toolbar_EditIn->setPopupMode(QToolButton::InstantPopup);
    toolbar->addWidget(popupButton_Toolbar_EditIn);

    popupButton_Export = toolButton(toolbar, "popupButton_Export", "export", tr("Export"));
    auto* exportMenu = new QMenu(popupButton_Export);
    fillExportMenu(exportMenu);
    popupButton_Export->setMenu(exportMenu);
    popupButton_Export->setPopupMode(QToolButton::InstantPopup);
    toolbar->addWidget(popupButton_Export);

    auto* spacer = new QWidget(toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(spacer);

    segmentedControl_Toolbar_ViewMode = new SegmentedControl(SegmentedControl::Tracking::SelectOne, toolbar);
    segmentedControl_Toolbar_ViewMode->setObjectName("segmentedControl_Toolbar_ViewMode");
    segmentedControl_Toolbar_ViewMode->addSegment(toolbarIcon("view-page"), tr("Page"), tr("Rendered page"));
    segmentedControl_Toolbar_ViewMode->addSegment(toolbarIcon("view-code"), tr("HTML"), tr("HTML source"));
    segmentedControl_Toolbar_ViewMode->setSelectedSegment(0);
    connect(segmentedControl_Toolbar_ViewMode, &SegmentedControl::segmentClicked, this,
            [this](int segment) { toggleWebViewSourceView(segment); });
    toolbar->addWidget(segmentedControl_Toolbar_ViewMode);

    segmentedControl_Toolbar_fontSize = new SegmentedControl(SegmentedControl::Tracking::Momentary, toolbar);
    segmentedControl_Toolbar_fontSize->setObjectName("segmentedControl_Toolbar_fontSize");
    segmentedControl_Toolbar_fontSize->addSegment(toolbarIcon("font-smaller"), tr("Smaller"), tr("Smaller text"));
    segmentedControl_Toolbar_fontSize->addSegment(toolbarIcon("font-default"), tr("Default"), tr("Default text size"));
    segmentedControl_Toolbar_fontSize->addSegment(toolbarIcon("font-bigger"), tr("Bigger"), tr("Bigger text"));
    connect(segmentedControl_Toolbar_fontSize, &SegmentedControl::segmentClicked, this,
            [](int segment) { viewsettings::changeFontSizeAction(segment); });
    toolbar->addWidget(segmentedControl_Toolbar_fontSize);
}

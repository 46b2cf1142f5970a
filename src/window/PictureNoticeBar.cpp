#include "window/PictureNoticeBar.h"

#include <QPushButton>

PictureNoticeBar::PictureNoticeBar(QWidget* parent)
    : NoticeBar("bar_RemotePictures", "button_ClosePictureNotice", parent) {
    loadButton_ = addButton(tr("Load Pictures"), tr("Loads the pictures of this document until its window closes."),
                            "button_LoadRemotePictures");
    alwaysButton_ = addButton(tr("Always for This Folder"),
                              tr("Loads the pictures of every document in this folder from now on."),
                              "button_AlwaysLoadRemotePictures");
    connect(loadButton_, &QPushButton::clicked, this, &PictureNoticeBar::loadPicturesRequested);
    connect(alwaysButton_, &QPushButton::clicked, this, &PictureNoticeBar::alwaysForFolderRequested);
}

void PictureNoticeBar::showUnloadedPictures(int count, bool loadable) {
    setMessage(tr("This document shows %n picture(s) from the web. They were not loaded.", nullptr, count));
    showIfWanted(count > 0 && loadable);
}

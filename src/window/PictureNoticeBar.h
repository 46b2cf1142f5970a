#pragma once
// The bar above a page whose pictures from the web were not loaded, with two
// ways to load them: in this window until it closes, or for every document
// of its folder.

#include "window/NoticeBar.h"

class PictureNoticeBar : public NoticeBar {
    Q_OBJECT
public:
    explicit PictureNoticeBar(QWidget* parent = nullptr);

    QPushButton* loadButton() const { return loadButton_; }
    QPushButton* alwaysButton() const { return alwaysButton_; }
    // The page names `count` distinct pictures from the web. The bar shows
    // while there are some and loading them is possible (pictures are not
    // allowed yet and the document's scripts do not run), unless the reader
    // closed it in this window.
    void showUnloadedPictures(int count, bool loadable);

signals:
    void loadPicturesRequested();
    void alwaysForFolderRequested();

private:
    QPushButton* loadButton_ = nullptr;
    QPushButton* alwaysButton_ = nullptr;
};

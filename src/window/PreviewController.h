#pragma once
// Shows rendered pages in the preview's web page and keeps the reader's
// place across them: it chooses how each page is painted (a fresh load, an
// empty page written into, the shown page rewritten, or only its changed
// blocks replaced), restores the scroll position, and steps through the
// blocks the last update changed.

#include <QObject>
#include <QPointF>
#include <QStringList>
#include <QUrl>
#include <optional>

#include "pipeline/PreparedPage.h"

class PreviewWebPage;

namespace preview {

// The ways a new page reaches the web view.
enum class PaintRoad {
    FreshLoad,            // setHtml(): a navigation, the page as a data URL
    EmptyPageThenWrite,   // too big for a data URL: an empty page, then written into
    RewriteInPlace,       // the shown page's document replaced without a navigation
    BlockUpdate,          // only the top-level blocks that changed are replaced
};

// What the choice depends on.
struct PaintInputs {
    bool pageShown = false;          // some page finished loading before
    bool loading = false;            // a fresh load is under way
    bool sameBaseURL = false;        // the shown page has the new page's base URL
    bool scriptsAllowed = false;     // the document's scripts may run now
    bool shownWithScripts = false;   // ... and could when the shown page loaded
    bool picturesAllowed = false;    // pictures from the web may load now
    bool shownWithPictures = false;  // ... and could when the shown page loaded
    bool pageHasScripts = false;     // the new page holds a script element
    qsizetype htmlLength = 0;        // of the new page, in UTF-16 code units
};

// A page shown already is updated in place: no new navigation (which costs
// the web engine a second or more). Without document scripts only the
// changed blocks are replaced; a document whose scripts may run gets a fresh
// document, written into the page. A new base URL, a change of the script
// or picture permission (refused pictures are not asked for again), or
// scripts in the page need a fresh load.
PaintRoad choosePaintRoad(const PaintInputs& inputs);

// What a page is shown with.
struct PageContext {
    QUrl baseURL;
    QStringList readableFolders;  // local files the page may load come from these
    bool scriptsAllowed = false;  // the document's own scripts may run
    bool picturesAllowed = false; // pictures from the web may load (while no script runs)
};

}  // namespace preview

class PreviewController : public QObject {
    Q_OBJECT
public:
    explicit PreviewController(PreviewWebPage* page, QObject* parent = nullptr);

    // Loads an empty page to write the first page into, while that page is
    // still being converted: the web engine starts meanwhile.
    void prepareEmptyPage(const preview::PageContext& context);
    // Shows the page, keeping the reader's scroll position.
    void show(const PreparedPage& page, const preview::PageContext& context);
    // A newer page is on its way: an update that finds the shown page's
    // frame changed leaves the page to it instead of writing this one.
    void expectNewerPage() { ++expected_; }
    // Scrolls to the next block the last update changed; answers with
    // jumpedToChange().
    void jumpToNextChange();

    // How many pages were shown; lets callers wait for the next one.
    int completedLoads() const { return completedLoads_; }
    bool hasShownPage() const { return completedLoads_ > 0; }
    // How many blocks the last in-place update changed (0 after a fresh page).
    int changedBlockCount() const { return changedBlockCount_; }
    QPointF savedScrollPosition() const { return savedScrollPosition_; }

signals:
    // A page was shown, loaded or written in place.
    void pageShown(bool ok);
    // An update marked this many changed blocks (0: none to jump to).
    void changedBlocksMarked(int count);
    // Jump to Change reached the change of this number (from 1; 0: none).
    void jumpedToChange(int number);
    // Whether the page shown holds scripts of the document's own (the
    // converters' anchor links do not count).
    void documentScriptsFound(bool found);
    // Pictures from the web the shown page names, loaded or not.
    void remotePicturesFound(int count);

private:
    enum class EmptyPage { None, Loading, Ready };

    void loadEmptyPage(const QUrl& baseURL);
    bool canWriteIntoEmptyPage(const preview::PaintInputs& inputs) const;
    void writeIntoEmptyPage(const PreparedPage& page);
    void writePendingPage();
    void loadFresh(const PreparedPage& page, bool empty);
    void writeIntoShownPage(const PreparedPage& page);
    void updateBlocksOfShownPage(const PreparedPage& page);
    void finishShowing(bool ok);
    void setChangedBlockCount(int count);
    void rememberScrollPosition();
    QString restoreScrollCall() const;

    PreviewWebPage* page_;
    QPointF savedScrollPosition_;
    bool needsToScroll_ = false;
    bool loading_ = false;
    QUrl baseURL_;
    QUrl loadedBaseURL_;   // the base of the page in the web view
    bool loadedWithScripts_ = false;
    bool loadedWithPictures_ = false;
    int completedLoads_ = 0;
    int changedBlockCount_ = 0;
    int expected_ = 0;     // counts the pages announced so far
    QString renderingScript_;  // renders the code and math of the page being shown
    QString diagramScript_;    // and then its diagrams
    QString renderedWith_;     // the rendering switches of the page shown
    EmptyPage emptyPage_ = EmptyPage::None;   // loaded to be written into
    std::optional<PreparedPage> pendingPage_;  // waits for the empty page
};

#pragma once
// One opened file and its preview window: reads the file (or package), asks
// the dispatcher for the HTML fragment, puts it into the page template with
// the selected style and font size, and shows it; renders again when the
// file or a setting the page shows changes. It never writes the file it shows.

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <optional>

#include "pipeline/DocumentPipeline.h"
#include "window/ExternalEditors.h"
#include "window/SharedConversions.h"

namespace Ui {
class Document;
}
class FileWatcher;
class FindBar;
class OutlinePanel;
class QLabel;
class QPrinter;
class PreviewController;
class PreviewWebPage;
struct RenderedPage;
class QToolButton;
class QMenu;
class SegmentedControl;
class PictureNoticeBar;
class ScriptNoticeBar;

class Document : public QMainWindow {
    Q_OBJECT
public:
    // The window for a file. Its first conversion starts at once; nothing
    // shows before setUp().
    explicit Document(const QString& filePath, QWidget* parent = nullptr);
    ~Document() override;

    // The opening sequence: first render, watching scheduled. Every render
    // reads the file afresh.
    void setUp();

    QString filePath() const { return filePath_; }
    QString fileExtension() const;
    // As last rendered; null when the file could not be read.
    QString theContents() const { return theContents_; }
    QString markupLanguage() const { return markupLanguage_; }
    // Renders a Markdown document in another flavour (View ▸ Markdown
    // Flavour) until the window closes; other languages ignore it.
    void setMarkdownFlavour(const QString& identifier);
    bool accessGranted() const { return accessGranted_; }
    QUrl baseURL() const { return baseURL_; }
    QString lastFragment() const { return lastFragment_; }
    bool isWatching() const { return watcher_ != nullptr; }
    // Shows the pages: pages shown so far, scroll position, changed blocks.
    PreviewController* preview() const { return preview_; }

    // The window's parts, by their interface names.
    class QWebEngineView* webView() const;
    // The HTML source view, holding the fragment last rendered (filled when
    // first needed: setting megabytes of text holds the window).
    class QPlainTextEdit* sourceView();
    SegmentedControl* viewModeControl() const { return segmentedControl_Toolbar_ViewMode; }
    SegmentedControl* fontSizeControl() const { return segmentedControl_Toolbar_fontSize; }
    QMenu* editorMenu() const { return editorMenu_; }
    QWidget* baseURLPopover() const;

    static QString returnCSSStyleString();
    static QString markupLangSelectFromExtension(const QString& extension);
    static const int kWatchDelayMilliseconds = 2000;
    // Larger files get a notice instead of a preview: converting them would
    // hold the window for many seconds.
    static constexpr qint64 kLargestPreviewedFile = 20 * 1024 * 1024;
    ScriptNoticeBar* scriptNotice() const { return scriptNotice_; }
    PictureNoticeBar* pictureNotice() const { return pictureNotice_; }
    FindBar* findBar() const { return findBar_; }
    OutlinePanel* outlinePanel() const { return outline_; }
    QLabel* statisticsLabel() const { return statisticsLabel_; }

    // Prints the page as shown on this printer; printFinished() tells the
    // outcome (DocumentPrinting.cpp).
    void printPage(std::unique_ptr<QPrinter> printer);

public slots:
    void reloadTxt();
    void setupHTMLSourceView();
    void toggleWindowTitlebar();
    void toggleLightDarkInterface();
    // Segment 0 the page, 1 the source; -1 flips (the menu item).
    void toggleWebViewSourceView(int segment = -1);
    // Scrolls to the next block the last update changed (View ▸ Jump to
    // Change); repeated calls step through them.
    void jumpToChange();

    // Actions (DocumentActions.cpp).
    void copyHtml();
    void revealInFileManager();
    void loadExternalEditorsForExtension(const QString& extension);
    void editFileInExternalEditor(const QString& editorName);

    // Export (DocumentExport.cpp): by the tag of the pop-up's or menu's item.
    void exportCurrentDocument(int tag);
    void fillExportMenu(QMenu* menu);

    // Reader's tools (DocumentReaderTools.cpp, DocumentPrinting.cpp).
    void showFindBar();
    void printDocument();

    // Base URL popover (DocumentBaseURL.cpp).
    void showPopover_BaseURL();
    void selectBaseURLMethod(int option);
    void selectBASEURLFolder();
    void setBaseURLFolder(const QString& folder);
    void baseURLWebsourceReload();
    void showBaseURLHelp();

signals:
    // A dropped file or a followed link wants its own window.
    void openFileRequested(const QString& path);
    // Some page finished loading (tests wait for it).
    void pageLoaded(bool ok);
    void exportFinished(bool ok, const QString& destination);
    void statisticsUpdated();
    void printFinished(bool ok);
    // The watcher saw a save: this window has rendered again; others may
    // show the file too (an included file, a picture).
    void watchedFilesChanged();
    // The window came to the front (the editor menu follows its file type).
    void activated();
    // A help button asks for a page of the help book.
    void helpRequested(const QString& page);

protected:
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(class QDragEnterEvent* event) override;
    void dropEvent(class QDropEvent* event) override;

private:
    void buildToolbar();
    void connectBaseURLPopover();
    void registerObservers();
    void scheduleReload();
    void windowActivated();
    documentpipeline::Request renderRequest();
    void showRendered(const RenderedPage& rendered);
    void fillSourceView();
    void buildScriptNotice();
    void buildPictureNotice();
    void updatePictureNotice(int remotePictures);
    void buildConversionNotice();
    void buildReaderTools();
    void updateStatistics();
    void countStatistics(const QString& text);
    void printingFinished(bool ok);
    void exportToDestination(const QString& format, const QString& destination);
    void showExportProgress(const QString& name, bool running);
    void allowDocumentScripts();
    void loadRemotePictures(bool alwaysForFolder);
    bool remotePicturesAllowed() const;
    QString documentFolder() const;
    QStringList foldersThePageMayRead() const;
    void settleFolderAccessAndScheduleWatching();
    void startWatching(bool folderMode);
    void updateWindowTitle();

    std::unique_ptr<Ui::Document> ui;
    PreviewWebPage* page_ = nullptr;
    PreviewController* preview_ = nullptr;

    QString filePath_;
    QString theContents_;
    bool accessGranted_ = false;
    QString markupLanguage_;
    QString chosenMarkdownFlavour_;  // empty: the preferences decide
    QString unpackedPackageFolder_;
    QString textpackUnpackFolder_;  // this window's own, removed with it
    ScriptNoticeBar* scriptNotice_ = nullptr;
    PictureNoticeBar* pictureNotice_ = nullptr;
    bool picturesForThisWindow_ = false;  // "Load Pictures": until the window closes
    QUrl baseURL_;
    QString lastFragment_;
    bool sourceViewStale_ = false;
    qint64 renderedStamp_ = 0;
    int renderGeneration_ = 0;
    bool reloadScheduled_ = false;
    // This window's interest in its newest conversion: letting go of it
    // cancels that conversion unless another window waits for it too.
    std::shared_ptr<const void> renderInterest_;
    std::optional<sharedconversions::Conversion> firstConversion_;  // started by the constructor
    QLabel* conversionNotice_ = nullptr;  // over the last good page: the newest conversion was stopped
    FileWatcher* watcher_ = nullptr;

    QToolButton* button_toolbar_ClipboardHTML = nullptr;
    QToolButton* button_toolbar_BASEURL = nullptr;
    QAction* toolbarItem_BASEURL = nullptr;
    QToolButton* popupButton_Toolbar_EditIn = nullptr;
    QMenu* editorMenu_ = nullptr;
    QToolButton* popupButton_Export = nullptr;
    QWidget* exportProgress_ = nullptr;
    QLabel* exportLabel_ = nullptr;
    int runningExports_ = 0;
    SegmentedControl* segmentedControl_Toolbar_ViewMode = nullptr;
    SegmentedControl* segmentedControl_Toolbar_fontSize = nullptr;
    FindBar* findBar_ = nullptr;
    OutlinePanel* outline_ = nullptr;
    QLabel* statisticsLabel_ = nullptr;
    quint64 statisticsGeneration_ = 0;
    std::unique_ptr<QPrinter> printer_;
};

#pragma once
// Every settings key of the application with its type and default. The keys
// with a registered default are registered at each start; the others read as
// absent until something stores them.

#include <QString>
#include <QVariant>
#include <vector>

// Every settings key, declared once here.
namespace settingskeys {
// File extensions (space-separated) rendered as each language.
inline constexpr char kMarkdownExtension[] = "defaults_MarkdownExtension";
inline constexpr char kMultiMarkdownExtension[] = "defaults_MultiMarkdownExtension";
inline constexpr char kTesselExtension[] = "defaults_TesselExtension";
inline constexpr char kBBCodeExtension[] = "defaults_BBCodeExtension";
inline constexpr char kWikitextExtension[] = "defaults_WikitextExtension";
inline constexpr char kTextileExtension[] = "defaults_TextileExtension";
inline constexpr char kHTMLExtension[] = "defaults_HTMLExtension";
inline constexpr char kUseMarkdownExtra[] = "defaults_UseMarkdownExtra";
// The language Markdown files render as (an identifier of a Markdown
// flavour); absent: Markdown Extra or plain Markdown by kUseMarkdownExtra.
inline constexpr char kMarkdownFlavour[] = "defaults_MarkdownFlavour";
// YAML front matter is left out instead of shown as a table of its keys.
inline constexpr char kHideFrontMatter[] = "defaults_HideFrontMatter";
inline constexpr char kOpenUnknownExtension[] = "defaults_OpenUnknownExtension";
inline constexpr char kAskForFolderAccess[] = "defaults_AskForFolderAccess";
inline constexpr char kUseCriticsMarkup[] = "UseCriticsMarkup";
inline constexpr char kShowTitlebar[] = "WINDOW_SHOW_TITLEBAR";
inline constexpr char kWindowTheme[] = "WINDOW_THEME";
inline constexpr char kSelectedCSSStyle[] = "SelectedCSSStyle";
inline constexpr char kFontSize[] = "defaults_FontSize";
// The HTML source view's font family, size (points, as text) and colours.
inline constexpr char kTextStyle[] = "Defaults_TextStyle";
inline constexpr char kTextSize[] = "Defaults_TextSize";
inline constexpr char kTextColor[] = "Defaults_TextColor";
inline constexpr char kBackgroundColor[] = "Defaults_BackgroundColor";
inline constexpr char kBaseURLSelectedOption[] = "BASEURL_SelectedOption";
inline constexpr char kBaseURLWebURL[] = "BASEURL_WebURL";
inline constexpr char kBaseURLFilePath[] = "BASEURL_FilePath";
inline constexpr char kBaseURLFilePathSec[] = "BASEURL_FilePathSec";
// Folder path → grant data of the folders the user opened to the application.
inline constexpr char kSandboxPaths[] = "SandboxPaths";
inline constexpr char kUseHTML5[] = "MARKUP_USE_HTML5";
inline constexpr char kCriticMarkupHighlightStyle[] = "CriticMarkupHighlightStyle";
inline constexpr char kCriticMarkupAddStyle[] = "CriticMarkupAddStyle";
inline constexpr char kCriticMarkupCommentStyle[] = "CriticMarkupCommentStyle";
inline constexpr char kCriticMarkupRemoveStyle[] = "CriticMarkupRemoveStyle";
inline constexpr char kMMDExePath[] = "MMD_EXE_PATH";
// The four interpreter choices (one of them is on) and the custom interpreter.
inline constexpr char kUseBuiltInConverters[] = "VANTREL_Use_IObjectiveC_Markup_Transformation";
inline constexpr char kUseSystemPHP[] = "VANTREL_Use_InternPHP_Markup_Transformation";
inline constexpr char kUseCustomPHP[] = "VANTREL_Use_CustomPHP_Markup_Transformation";
inline constexpr char kUseSwift[] = "VANTREL_Use_Swift_Markup_Transformation";
inline constexpr char kCustomPHPPath[] = "VANTREL_CUSTO_PHP_URL";
// How long one conversion may take, in milliseconds, on any road: past it
// the conversion is stopped.
inline constexpr char kConversionTimeLimit[] = "CONVERSION_TIME_LIMIT_MS";
inline constexpr int kDefaultConversionTimeLimit = 10000;
inline constexpr char kCustomPHPBookmark[] = "VANTREL_CUSTO_PHP_SECBOOKMARK";
inline constexpr char kUpdaterAutoCheck[] = "VANTREL_UPDATER_AUTOCHECK";
inline constexpr char kUpdaterFirstStartDone[] = "Vantrel_Updater_First_Start_Done";
inline constexpr char kUpdaterSecondStartDone[] = "Vantrel_Updater_Second_Start_Done";
inline constexpr char kUpdaterLastSkip[] = "VANTREL_UPDATER_LASTSKIP";
inline constexpr char kWarningOpenURLInBrowser[] = "Warning_OpenURLInBrowser";
// Folders whose documents may run their own scripts in the preview.
inline constexpr char kScriptsAllowedFolders[] = "PREVIEW_SCRIPTS_ALLOWED_FOLDERS";
// The documents opened last, newest first (File ▸ Open Recent).
inline constexpr char kRecentDocuments[] = "RECENT_DOCUMENTS";
// Base address of the download site the update check asks ("https://host");
// absent: the project's own site.
inline constexpr char kUpdateServer[] = "VANTREL_UPDATER_SERVER";
}  // namespace settingskeys

enum class SettingType { Boolean, Integer, String, Data, Dictionary };

struct SettingDefinition {
    QString key;
    SettingType type;
    bool registered;       // has a default in the store
    QVariant defaultValue; // the registered default, or the value a pane writes
};

const std::vector<SettingDefinition>& settingsRegistry();
const SettingDefinition* settingDefinition(const QString& key);

// The stored form of an archived URL ("BASEURL_FilePath") and colour.
QVariant archivedFileUrl(const QString& path);

#pragma once
// Calls of the preview page's own functions (resources/preview/*.js, all
// under the name `quillview`), by name. The page runs no other script of
// ours; arguments are numbers or JavaScript expressions made here.

#include <QString>
#include <QStringView>
#include <initializer_list>

namespace pagescript {

// The functions, as the page's module names them.
inline constexpr char kPageReady[] = "pageReady";
inline constexpr char kRestoreScroll[] = "restoreScroll";
inline constexpr char kScrollToAnchor[] = "scrollToAnchor";
inline constexpr char kHasDocumentScripts[] = "hasDocumentScripts";
inline constexpr char kRemotePictureCount[] = "remotePictureCount";
inline constexpr char kReceivePart[] = "receivePart";
inline constexpr char kReceivedPage[] = "receivedPage";
inline constexpr char kWritePage[] = "writePage";
inline constexpr char kWriteAsReceived[] = "writeAsReceived";
inline constexpr char kFinishWriting[] = "finishWriting";
inline constexpr char kUpdateBlocks[] = "updateBlocks";
inline constexpr char kJumpToNextChange[] = "jumpToNextChange";
inline constexpr char kTakeBodyText[] = "takeBodyText";
inline constexpr char kBodyTextPart[] = "bodyTextPart";
inline constexpr char kHeadings[] = "headings";
inline constexpr char kHeadingInView[] = "headingInView";
inline constexpr char kScrollToHeading[] = "scrollToHeading";

// `quillview.function(argument, ...)`, an expression.
QString call(const char* function, std::initializer_list<QString> arguments = {});

QString number(double value);
// A JavaScript string literal of the text (quotes included); see
// javaScriptStringLiteral().
QString string(QStringView text);

}  // namespace pagescript

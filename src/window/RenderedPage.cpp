#include "window/RenderedPage.h"

#include "pipeline/PageTemplate.h"

RenderedPage RenderedPage::of(const documentpipeline::Result& result, const QString& filePath, qint64 largestFile) {
    if (result.ok())
        return {result, PreparedPage::of(documentpipeline::pageFor(result))};
    const QString notice = "<div class=\"quillview-notice\"><h2>"
                           + documentpipeline::problemTitle(result.problem).toHtmlEscaped() + "</h2><p>"
                           + documentpipeline::problemMessage(result.problem, filePath, largestFile).toHtmlEscaped()
                           + "</p></div>";
    return {result, PreparedPage::of(pagetemplate::pageWithFragment(notice))};
}

#include "window/RenderedPage.h"

#include "engine/WorkingMemory.h"
#include "pipeline/PageTemplate.h"

RenderedPage RenderedPage::of(const documentpipeline::Result& result, const QString& filePath, qint64 largestFile) {
    if (result.ok()) {
        RenderedPage rendered{result, PreparedPage::of(documentpipeline::pageFor(result))};
        // The conversion's freed working memory served the page's copies;
        // what is left of it goes back to the system.
        if (result.text.size() >= engine::kLargeText)
            engine::giveBackFreedMemory();
        return rendered;
    }
    const QString notice = "<div class=\"quillview-notice\"><h2>"
                           + documentpipeline::problemTitle(result.problem).toHtmlEscaped() + "</h2><p>"
                           + documentpipeline::problemMessage(result.problem, filePath, largestFile).toHtmlEscaped()
                           + "</p></div>";
    return {result, PreparedPage::of(pagetemplate::pageWithFragment(notice))};
}

#pragma once
// A rendered document and the page that shows it, made ready off the GUI
// thread: the document in the page template, or, when it cannot be shown, a
// notice that says why.

#include "pipeline/DocumentPipeline.h"
#include "pipeline/PreparedPage.h"

struct RenderedPage {
    documentpipeline::Result result;
    PreparedPage page;

    // largestFile: the size limit the conversion was asked to keep, for the
    // notice about a file too large.
    static RenderedPage of(const documentpipeline::Result& result, const QString& filePath, qint64 largestFile);
};

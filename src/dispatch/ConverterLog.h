#pragma once
// Sends the converters' log lines to the "quillview.converter" category.
void installConverterLogging();

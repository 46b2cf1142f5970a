<?php
// Tessel is Quillview's own markup: its built-in converter does the work.
// The viewer names its binary in QUILLVIEW_BINARY and the document's folder
// (where tables import their files from) in QUILLVIEW_DOCUMENT_FOLDER; a
// package's folder may come as the first argument. The run switches the
// interpreter road off, so it cannot call this script again.
require __DIR__ . '/ScriptSupport.php';
$binary = getenv('QUILLVIEW_BINARY') ?: 'quillview';
$folder = $argv[1] ?? (getenv('QUILLVIEW_DOCUMENT_FOLDER') ?: null);
if ($folder !== null && !is_dir($folder)) {
    $folder = null;
}
exit(runOnOurStreams([
    $binary, 'convert', '--lang', 'tessel',
    '--set', 'VANTREL_Use_IObjectiveC_Markup_Transformation=true',
    '--set', 'VANTREL_Use_CustomPHP_Markup_Transformation=false',
    '-',
], $folder));

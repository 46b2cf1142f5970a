<?php
// HTML needs no conversion: the bytes pass through unchanged.
require __DIR__ . '/ScriptSupport.php';
if (stream_copy_to_stream(STDIN, STDOUT) === false) {
    fwrite(STDERR, "cannot copy standard input\n");
    exit(1);
}

<?php
// No converter for Sumwise exists on this system: say so on the page.
require __DIR__ . '/ScriptSupport.php';
echo "<p><strong>Sumwise is not available.</strong> Quillview has no converter for this markup language; "
    . "choose another language for this document.</p>\n";

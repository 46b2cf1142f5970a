<?php
// Wikitext to HTML with Perl's Text::MediawikiFormat
// (Debian: libtext-mediawikiformat-perl), whose import makes wikiformat.
require __DIR__ . '/ScriptSupport.php';
exit(runPerl('Text::MediawikiFormat', 'libtext-mediawikiformat-perl',
    'Text::MediawikiFormat->import("wikiformat"); print wikiformat($markup, {}, {});'));

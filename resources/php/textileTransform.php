<?php
// Textile to HTML with Perl's Text::Textile (Debian: libtext-textile-perl).
// Characters stay characters rather than becoming entities.
require __DIR__ . '/ScriptSupport.php';
exit(runPerl('Text::Textile', 'libtext-textile-perl',
    'print Text::Textile->new(char_encoding => 0)->process($markup);'));

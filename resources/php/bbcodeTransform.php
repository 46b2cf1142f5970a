<?php
// BBCode to HTML with Perl's Parse::BBCode (Debian: libparse-bbcode-perl),
// which escapes any HTML written in the post.
require __DIR__ . '/ScriptSupport.php';
exit(runPerl('Parse::BBCode', 'libparse-bbcode-perl', 'print Parse::BBCode->new->render($markup);'));

<?php
// Markdown Extra to HTML with ParsedownExtra (Debian: php-parsedown-extra).
require __DIR__ . '/ScriptSupport.php';
requireLibrary('ParsedownExtra/autoload.php', 'php-parsedown-extra');
echo (new ParsedownExtra())->text(readMarkup());

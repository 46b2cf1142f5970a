<?php
// Markdown to HTML with Parsedown (Debian: php-parsedown).
require __DIR__ . '/ScriptSupport.php';
requireLibrary('Parsedown/autoload.php', 'php-parsedown');
echo (new Parsedown())->text(readMarkup());

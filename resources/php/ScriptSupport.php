<?php
// Shared by the conversion scripts. Each script reads the markup on standard
// input and writes the HTML fragment on standard output; the document is only
// ever data, never code.

// Warnings belong on standard error, where the viewer shows them when a
// conversion fails, never inside the HTML.
ini_set('display_errors', 'stderr');
ini_set('log_errors', '0');
error_reporting(E_ALL & ~E_DEPRECATED);
// Libraries load from Debian's folder only: the working folder may be a
// downloaded document's, and must not be able to plant a library of its own.
set_include_path('/usr/share/php');

// Requires a library file, or explains which package is missing.
function requireLibrary(string $file, string $package): void
{
    $path = '/usr/share/php/' . $file;
    if (!is_file($path)) {
        fwrite(STDERR, "$path is missing: install the Debian package $package\n");
        exit(1);
    }
    require_once $path;
}

function readMarkup(): string
{
    $markup = stream_get_contents(STDIN);
    if ($markup === false) {
        fwrite(STDERR, "cannot read the markup from standard input\n");
        exit(1);
    }
    return $markup;
}

// Runs a program (no shell) on our own three streams: it reads the markup
// straight from our standard input and writes the HTML to our standard
// output. Returns its exit status.
function runOnOurStreams(array $command, ?string $folder = null): int
{
    $process = proc_open($command, [0 => STDIN, 1 => STDOUT, 2 => STDERR], $pipes, $folder);
    if ($process === false) {
        fwrite(STDERR, "cannot start $command[0]\n");
        return 127;
    }
    return proc_close($process);
}

// Runs a Perl program that finds the markup, decoded from UTF-8, in $markup
// and prints the HTML. Debian packages the Textile, MediaWiki and BBCode
// libraries for Perl, not for PHP. Returns Perl's exit status.
function runPerl(string $module, string $package, string $program): int
{
    $prologue = "use strict; use warnings; "
        . "eval { require $module; 1 } or do { print STDERR \"the Perl module $module is missing: "
        . "install the Debian package $package\\n\"; exit 1; }; "
        . 'binmode STDIN, ":encoding(UTF-8)"; binmode STDOUT, ":encoding(UTF-8)"; '
        . 'my $markup = do { local $/; <STDIN> } // ""; ';
    return runOnOurStreams(['/usr/bin/perl', '-e', $prologue . $program]);
}

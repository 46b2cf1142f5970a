#!/usr/bin/perl
# Reads MultiMarkdown on standard input and writes the HTML fragment on
# standard output, both UTF-8. Quillview runs it with the system's perl when
# the user has chosen no MultiMarkdown program of their own.
use strict;
use warnings;
use Text::MultiMarkdown ();

binmode STDIN, ':encoding(UTF-8)';
binmode STDOUT, ':encoding(UTF-8)';

my $text = do { local $/; <STDIN> };
$text = '' unless defined $text;
print Text::MultiMarkdown->new->markdown($text);

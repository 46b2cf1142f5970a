<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MarkupInterpreter-Add</name>
    <message>
        <source>NO_VALID_PHP_SELECTED_TITLE_START</source>
        <translation>No valid PHP interpreter</translation>
    </message>
    <message>
        <source>NO_VALID_PHP_SELECTED_MESSAGE_START</source>
        <translation>The PHP interpreter chosen in the preferences cannot be started. Quillview converts with its built-in converters until you choose another interpreter.</translation>
    </message>
</context>
<context>
    <name>Localizable</name>
    <message>
        <source>BASEURLAUTOMATIC_ACCESS_TITLE</source>
        <translation>The document's folder cannot be read</translation>
    </message>
    <message>
        <source>BASEURLAUTOMATIC_ACCESS_MESSGAE</source>
        <translation>Relative images and links resolve against %@, which Quillview may not read. Check the folder's permissions.</translation>
    </message>
    <message>
        <source>SANDBOX_ACCESS_TITLE</source>
        <translation>Allow access to the folder?</translation>
    </message>
    <message>
        <source>SANDBOX_ACCESS_MESSGAE</source>
        <translation>Quillview can watch the whole folder of this document and load its images.</translation>
    </message>
    <message>
        <source>SANDBOX_ACCESS_FIRST_BUTTON</source>
        <translation>Choose Folder…</translation>
    </message>
    <message>
        <source>SANDBOX_ACCESS_SECOND_BUTTOM</source>
        <translation>Not Now</translation>
    </message>
    <message>
        <source>SELECT_SANDBOX_FOLDER_TITLE</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>SELECT_SANDBOX_FOLDER_MESSAGE</source>
        <translation>Choose the folder of the document or one above it.</translation>
    </message>
    <message>
        <source>FOLDER_ACCESS_GRANTED_NO_MATCH_TITLE</source>
        <translation>Folder does not contain the document</translation>
    </message>
    <message>
        <source>FOLDER_ACCESS_GRANTED_NO_MATCH_MESSAGE</source>
        <translation>The folder was stored, but it does not contain this document.</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>Copy HTML</source>
        <translation>Copy HTML</translation>
    </message>
    <message>
        <source>Base URL</source>
        <translation>Base URL</translation>
    </message>
    <message>
        <source>Edit in</source>
        <translation>Edit in</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>HTML</source>
        <translation>HTML</translation>
    </message>
    <message>
        <source>Rendered page</source>
        <translation>Rendered page</translation>
    </message>
    <message>
        <source>HTML source</source>
        <translation>HTML source</translation>
    </message>
    <message>
        <source>Smaller</source>
        <translation>Smaller</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Bigger</source>
        <translation>Bigger</translation>
    </message>
    <message>
        <source>Smaller text</source>
        <translation>Smaller text</translation>
    </message>
    <message>
        <source>Default text size</source>
        <translation>Default text size</translation>
    </message>
    <message>
        <source>Bigger text</source>
        <translation>Bigger text</translation>
    </message>
    <message>
        <source>Base URL for relative links and images</source>
        <translation>Base URL for relative links and images</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Automatic: the folder named like the file, else the file's folder</source>
        <translation>Automatic: the folder named like the file, else the file's folder</translation>
    </message>
    <message>
        <source>This folder:</source>
        <translation>This folder:</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Choose…</translation>
    </message>
    <message>
        <source>Web address:</source>
        <translation>Web address:</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Toolbar</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Markdown &amp;Flavour</source>
        <translation>Markdown &amp;Flavour</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>Copy &amp;HTML</source>
        <translation>Copy &amp;HTML</translation>
    </message>
    <message>
        <source>Show in File &amp;Manager</source>
        <translation>Show in File &amp;Manager</translation>
    </message>
    <message>
        <source>&amp;Edit In</source>
        <translation>&amp;Edit In</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Toggle HTML &amp;Source</source>
        <translation>Toggle HTML &amp;Source</translation>
    </message>
    <message>
        <source>&amp;Bigger</source>
        <translation>&amp;Bigger</translation>
    </message>
    <message>
        <source>S&amp;maller</source>
        <translation>S&amp;maller</translation>
    </message>
    <message>
        <source>&amp;Default Size</source>
        <translation>&amp;Default Size</translation>
    </message>
    <message>
        <source>&amp;Light/Dark Window</source>
        <translation>&amp;Light/Dark Window</translation>
    </message>
    <message>
        <source>Show &amp;Title</source>
        <translation>Show &amp;Title</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Documents (*.md *.markdown *.mdown *.mkdn *.mmd *.textile *.tex *.wiki *.bbcode *.bbc *.tessel *.tsl *.html *.htm *.textpack *.txt);;All files (*)</source>
        <translation>Documents (*.md *.markdown *.mdown *.mkdn *.mmd *.textile *.tex *.wiki *.bbcode *.bbc *.tessel *.tsl *.html *.htm *.textpack *.txt);;All files (*)</translation>
    </message>
</context>
<context>
    <name>PictureNoticeBar</name>
    <message numerus="yes">
        <source>This document shows %n picture(s) from the web. They were not loaded.</source>
        <translation>
            <numerusform>This document shows %n picture from the web. It was not loaded.</numerusform>
            <numerusform>This document shows %n pictures from the web. They were not loaded.</numerusform>
        </translation>
    </message>
</context>
</TS>

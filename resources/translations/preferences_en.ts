<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>PREFERENCES_SAVEFOLDERS</source>
        <translation>Preferences: Folders</translation>
    </message>
    <message>
        <source>PREFERENCES_MARkUP</source>
        <translation>Preferences: Markup</translation>
    </message>
    <message>
        <source>PREFERENCES_CSSFILES</source>
        <translation>Preferences: Styles</translation>
    </message>
    <message>
        <source>PREFERENCES_SOURCECODEAPPEARANCE</source>
        <translation>Preferences: Source Code</translation>
    </message>
    <message>
        <source>SELECT_SANDBOX_FOLDER_TITLE</source>
        <translation>Choose a Folder Quillview May Read</translation>
    </message>
    <message>
        <source>SELECT_SANDBOX_FOLDER_MESSAGE</source>
        <translation>Allow</translation>
    </message>
    <message>
        <source>ADD_CSS_FILE_TITLE</source>
        <translation>Add Styles</translation>
    </message>
    <message>
        <source>ADD_CSS_FILE_MESSAGE</source>
        <translation>Add</translation>
    </message>
</context>
<context>
    <name>MarkupInterpreter</name>
    <message>
        <source>Choose what converts your documents into HTML.</source>
        <translation>Choose what converts your documents into HTML.</translation>
    </message>
    <message>
        <source>Built-in converters (recommended)</source>
        <translation>Built-in converters (recommended)</translation>
    </message>
    <message>
        <source>Built-in converters, second generation</source>
        <translation>Built-in converters, second generation</translation>
    </message>
    <message>
        <source>PHP scripts with the system's PHP</source>
        <translation>PHP scripts with the system's PHP</translation>
    </message>
    <message>
        <source>PHP scripts with this PHP interpreter:</source>
        <translation>PHP scripts with this PHP interpreter:</translation>
    </message>
    <message>
        <source>No interpreter chosen</source>
        <translation>No interpreter chosen</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Choose…</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>PreferencesController</name>
    <message>
        <source>Folders whose documents Quillview may read, with the images and files they link to.</source>
        <translation>Folders whose documents Quillview may read, with the images and files they link to.</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>Add Folder…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>File extensions, separated by spaces, and the language each is shown as:</source>
        <translation>File extensions, separated by spaces, and the language each is shown as:</translation>
    </message>
    <message>
        <source>Markdown:</source>
        <translation>Markdown:</translation>
    </message>
    <message>
        <source>MultiMarkdown:</source>
        <translation>MultiMarkdown:</translation>
    </message>
    <message>
        <source>Textile:</source>
        <translation>Textile:</translation>
    </message>
    <message>
        <source>Wikitext:</source>
        <translation>Wikitext:</translation>
    </message>
    <message>
        <source>BBCode:</source>
        <translation>BBCode:</translation>
    </message>
    <message>
        <source>Tessel:</source>
        <translation>Tessel:</translation>
    </message>
    <message>
        <source>HTML:</source>
        <translation>HTML:</translation>
    </message>
    <message>
        <source>Other extensions:</source>
        <translation>Other extensions:</translation>
    </message>
    <message>
        <source>Colour code by its language</source>
        <translation>Colour code by its language</translation>
    </message>
    <message>
        <source>Typeset math ($…$, $$…$$)</source>
        <translation>Typeset math ($…$, $$…$$)</translation>
    </message>
    <message>
        <source>Print the title and page numbers on every page of a PDF</source>
        <translation>Print the title and page numbers on every page of a PDF</translation>
    </message>
    <message>
        <source>Draw Mermaid diagrams</source>
        <translation>Draw Mermaid diagrams</translation>
    </message>
    <message>
        <source>Hide YAML front matter instead of showing it as a table</source>
        <translation>Hide YAML front matter instead of showing it as a table</translation>
    </message>
    <message>
        <source>Markdown files render as:</source>
        <translation>Markdown files render as:</translation>
    </message>
    <message>
        <source>Show CriticMarkup review marks</source>
        <translation>Show CriticMarkup review marks</translation>
    </message>
    <message>
        <source>Write HTML5 (&lt;br&gt;) instead of XHTML (&lt;br /&gt;)</source>
        <translation>Write HTML5 (&lt;br&gt;) instead of XHTML (&lt;br /&gt;)</translation>
    </message>
    <message>
        <source>Ask for access to a document's folder when it cannot be read</source>
        <translation>Ask for access to a document's folder when it cannot be read</translation>
    </message>
    <message>
        <source>Open web pages without asking first</source>
        <translation>Open web pages without asking first</translation>
    </message>
    <message>
        <source>Use the second-generation converters</source>
        <translation>Use the second-generation converters</translation>
    </message>
    <message>
        <source>The second-generation converters are not available on this system.</source>
        <translation>The second-generation converters are not available on this system.</translation>
    </message>
    <message>
        <source>Style sheets offered in the CSS menu. Added files are copied into Quillview's styles folder.</source>
        <translation>Style sheets offered in the CSS menu. Added files are copied into Quillview's styles folder.</translation>
    </message>
    <message>
        <source>Add Style…</source>
        <translation>Add Style…</translation>
    </message>
    <message>
        <source>Reset Styles…</source>
        <translation>Reset Styles…</translation>
    </message>
    <message>
        <source>How the HTML source view of every window shows the code.</source>
        <translation>How the HTML source view of every window shows the code.</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>Text colour:</source>
        <translation>Text colour:</translation>
    </message>
    <message>
        <source>Background colour:</source>
        <translation>Background colour:</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>Markup</source>
        <translation>Markup</translation>
    </message>
    <message>
        <source>Styles</source>
        <translation>Styles</translation>
    </message>
    <message>
        <source>MultiMarkdown</source>
        <translation>MultiMarkdown</translation>
    </message>
    <message>
        <source>CriticMarkup</source>
        <translation>CriticMarkup</translation>
    </message>
    <message>
        <source>Source Code</source>
        <translation>Source Code</translation>
    </message>
    <message>
        <source>Interpreter</source>
        <translation>Interpreter</translation>
    </message>
    <message>
        <source>Style sheets (*.css)</source>
        <translation>Style sheets (*.css)</translation>
    </message>
    <message>
        <source>Remove the style “%1”?</source>
        <translation>Remove the style “%1”?</translation>
    </message>
    <message>
        <source>The file is deleted from Quillview's styles folder.</source>
        <translation>The file is deleted from Quillview's styles folder.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Reset the styles?</source>
        <translation>Reset the styles?</translation>
    </message>
    <message>
        <source>The styles folder then holds the eight styles that come with Quillview. Styles you added are deleted.</source>
        <translation>The styles folder then holds the eight styles that come with Quillview. Styles you added are deleted.</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>Preferences_CriticMarkup</name>
    <message>
        <source>Inline CSS of the review marks when CriticMarkup is switched on in the markup settings.</source>
        <translation>Inline CSS of the review marks when CriticMarkup is switched on in the markup settings.</translation>
    </message>
    <message>
        <source>Highlight {== ==}:</source>
        <translation>Highlight {== ==}:</translation>
    </message>
    <message>
        <source>Insertion {++ ++}:</source>
        <translation>Insertion {++ ++}:</translation>
    </message>
    <message>
        <source>Comment {&gt;&gt; &lt;&lt;}:</source>
        <translation>Comment {&gt;&gt; &lt;&lt;}:</translation>
    </message>
    <message>
        <source>Deletion {-- --}:</source>
        <translation>Deletion {-- --}:</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Reset to Defaults</source>
        <translation>Reset to Defaults</translation>
    </message>
</context>
<context>
    <name>Preferences_MultiMarkdownExe</name>
    <message>
        <source>MultiMarkdown documents can be converted by a multimarkdown program installed on this computer instead of the script that comes with Quillview.</source>
        <translation>MultiMarkdown documents can be converted by a multimarkdown program installed on this computer instead of the script that comes with Quillview.</translation>
    </message>
    <message>
        <source>Show /usr/local/bin</source>
        <translation>Show /usr/local/bin</translation>
    </message>
    <message>
        <source>Get MultiMarkdown…</source>
        <translation>Get MultiMarkdown…</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>Preferences_MultiMarkdownExe-Add</name>
    <message>
        <source>PREFERENCES_MULTIMARKDOWN_TITLE</source>
        <translation>Preferences: MultiMarkdown</translation>
    </message>
    <message>
        <source>MMD_LABEL_RESET</source>
        <translation>Use the Included Script</translation>
    </message>
    <message>
        <source>MMD_LABEL_CHECK</source>
        <translation>Search for multimarkdown</translation>
    </message>
    <message>
        <source>MMD_USE_PERL_VERSION_MESSAGE</source>
        <translation>MultiMarkdown documents are converted by the script that comes with Quillview.</translation>
    </message>
    <message>
        <source>MMD_USE_NOT_FOUND_MESSAGE</source>
        <translation>No multimarkdown program was found. Install one (for example the package libtext-multimarkdown-perl) and search again.</translation>
    </message>
    <message>
        <source>MMD_CANNOT_EXECUTE</source>
        <translation>A multimarkdown file was found, but it may not be run. Make it executable and search again.</translation>
    </message>
    <message>
        <source>MMD_OPEN_WEBSITE_TITLE</source>
        <translation>Open the web page?</translation>
    </message>
    <message>
        <source>MMD_OPEN_WEBSITE_MESSAGE</source>
        <translation>%@ opens in your web browser.</translation>
    </message>
    <message>
        <source>MMD_OPEN_WEBSITE_OPEN</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>MMD_OPEN_WEBSITE_CANCEL</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Preferences_CriticMarkup-Add</name>
    <message>
        <source>PREFERENCES_CRITICMARKUP_TITLE</source>
        <translation>Preferences: CriticMarkup</translation>
    </message>
</context>
<context>
    <name>MarkupInterpreter-Add</name>
    <message>
        <source>PREFERENCES_MARKUPINTERPRETER_TITLE</source>
        <translation>Preferences: Interpreter</translation>
    </message>
    <message>
        <source>Can't communicate with PHP Binary</source>
        <translation>Can't communicate with PHP Binary</translation>
    </message>
    <message>
        <source>Can't communicate with file</source>
        <translation>Can't communicate with file</translation>
    </message>
    <message>
        <source>Quillview wasn't able to communicate with the selected binary to retrieve the version-number of PHP. It might not work at all.</source>
        <translation>Quillview wasn't able to communicate with the selected binary to retrieve the version-number of PHP. It might not work at all.</translation>
    </message>
    <message>
        <source>PHP_INT_FAIL_TITLE</source>
        <translation>The file cannot be run</translation>
    </message>
    <message>
        <source>PHP_INT_FAIL_MESSAGE</source>
        <translation>Quillview could not start the chosen file as a PHP interpreter. Check that it is a PHP program and that it may be executed.</translation>
    </message>
    <message>
        <source>PHP_INT_FAIL_BUTTON_FINDER</source>
        <translation>Show in File Manager</translation>
    </message>
    <message>
        <source>PHP_INT_FAIL_BUTTON_HELP</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>PHP_INT_FAIL_BUTTON_CANCEL</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>NO_VALID_PHP_SELECTED_TITLE</source>
        <translation>No working PHP interpreter chosen</translation>
    </message>
    <message>
        <source>NO_VALID_PHP_SELECTED_MESSAGE</source>
        <translation>Choose a PHP interpreter that answers (for example /usr/bin/php) before you switch to it.</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Pr&amp;eferences…</source>
        <translation>Pr&amp;eferences…</translation>
    </message>
</context>
</TS>

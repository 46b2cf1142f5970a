<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Localizable</name>
    <message>
        <source>PREFERENCES_SAVEFOLDERS</source>
        <translation>Einstellungen: Ordner</translation>
    </message>
    <message>
        <source>PREFERENCES_MARkUP</source>
        <translation>Einstellungen: Auszeichnung</translation>
    </message>
    <message>
        <source>PREFERENCES_CSSFILES</source>
        <translation>Einstellungen: Stile</translation>
    </message>
    <message>
        <source>PREFERENCES_SOURCECODEAPPEARANCE</source>
        <translation>Einstellungen: Quelltext</translation>
    </message>
    <message>
        <source>SELECT_SANDBOX_FOLDER_TITLE</source>
        <translation>Ordner wählen, den Quillview lesen darf</translation>
    </message>
    <message>
        <source>SELECT_SANDBOX_FOLDER_MESSAGE</source>
        <translation>Erlauben</translation>
    </message>
    <message>
        <source>ADD_CSS_FILE_TITLE</source>
        <translation>Stile hinzufügen</translation>
    </message>
    <message>
        <source>ADD_CSS_FILE_MESSAGE</source>
        <translation>Hinzufügen</translation>
    </message>
</context>
<context>
    <name>MarkupInterpreter</name>
    <message>
        <source>Choose what converts your documents into HTML.</source>
        <translation>Wählen Sie, was Ihre Dokumente in HTML umwandelt.</translation>
    </message>
    <message>
        <source>Built-in converters (recommended)</source>
        <translation>Eingebaute Konverter (empfohlen)</translation>
    </message>
    <message>
        <source>Built-in converters, second generation</source>
        <translation>Eingebaute Konverter, zweite Generation</translation>
    </message>
    <message>
        <source>PHP scripts with the system's PHP</source>
        <translation>PHP-Skripte mit dem PHP des Systems</translation>
    </message>
    <message>
        <source>PHP scripts with this PHP interpreter:</source>
        <translation>PHP-Skripte mit diesem PHP-Interpreter:</translation>
    </message>
    <message>
        <source>No interpreter chosen</source>
        <translation>Kein Interpreter gewählt</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Wählen…</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>PreferencesController</name>
    <message>
        <source>Folders whose documents Quillview may read, with the images and files they link to.</source>
        <translation>Ordner, deren Dokumente Quillview lesen darf, mit den Bildern und Dateien, auf die sie verweisen.</translation>
    </message>
    <message>
        <source>Stop a conversion that takes longer than:</source>
        <translation>Umwandlung abbrechen, wenn sie länger dauert als:</translation>
    </message>
    <message>
        <source> seconds</source>
        <translation> Sekunden</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>Ordner hinzufügen…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>File extensions, separated by spaces, and the language each is shown as:</source>
        <translation>Dateiendungen, durch Leerzeichen getrennt, und die Sprache, als die sie gezeigt werden:</translation>
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
        <translation>Andere Endungen:</translation>
    </message>
    <message>
        <source>Colour code by its language</source>
        <translation>Code nach seiner Sprache einfärben</translation>
    </message>
    <message>
        <source>Typeset math ($…$, $$…$$)</source>
        <translation>Formeln setzen ($…$, $$…$$)</translation>
    </message>
    <message>
        <source>Print the title and page numbers on every page of a PDF</source>
        <translation>Titel und Seitenzahlen auf jede Seite eines PDF drucken</translation>
    </message>
    <message>
        <source>Draw Mermaid diagrams</source>
        <translation>Mermaid-Diagramme zeichnen</translation>
    </message>
    <message>
        <source>Hide YAML front matter instead of showing it as a table</source>
        <translation>YAML-Vorspann ausblenden, statt ihn als Tabelle zu zeigen</translation>
    </message>
    <message>
        <source>Markdown files render as:</source>
        <translation>Markdown-Dateien darstellen als:</translation>
    </message>
    <message>
        <source>Show CriticMarkup review marks</source>
        <translation>CriticMarkup-Anmerkungen zeigen</translation>
    </message>
    <message>
        <source>Write HTML5 (&lt;br&gt;) instead of XHTML (&lt;br /&gt;)</source>
        <translation>HTML5 (&lt;br&gt;) statt XHTML (&lt;br /&gt;) schreiben</translation>
    </message>
    <message>
        <source>Ask for access to a document's folder when it cannot be read</source>
        <translation>Nach Zugriff auf den Ordner eines Dokuments fragen, wenn er nicht lesbar ist</translation>
    </message>
    <message>
        <source>Open web pages without asking first</source>
        <translation>Webseiten ohne Rückfrage öffnen</translation>
    </message>
    <message>
        <source>Use the second-generation converters</source>
        <translation>Konverter der zweiten Generation verwenden</translation>
    </message>
    <message>
        <source>The second-generation converters are not available on this system.</source>
        <translation>Die Konverter der zweiten Generation gibt es auf diesem System nicht.</translation>
    </message>
    <message>
        <source>Style sheets offered in the CSS menu. Added files are copied into Quillview's styles folder.</source>
        <translation>Stilvorlagen im Menü CSS. Hinzugefügte Dateien werden in den Stilordner von Quillview kopiert.</translation>
    </message>
    <message>
        <source>Add Style…</source>
        <translation>Stil hinzufügen…</translation>
    </message>
    <message>
        <source>Reset Styles…</source>
        <translation>Stile zurücksetzen…</translation>
    </message>
    <message>
        <source>How the HTML source view of every window shows the code.</source>
        <translation>Wie die HTML-Quelltextansicht jedes Fensters den Code zeigt.</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Schrift:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Text colour:</source>
        <translation>Textfarbe:</translation>
    </message>
    <message>
        <source>Background colour:</source>
        <translation>Hintergrundfarbe:</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Markup</source>
        <translation>Auszeichnung</translation>
    </message>
    <message>
        <source>Styles</source>
        <translation>Stile</translation>
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
        <translation>Quelltext</translation>
    </message>
    <message>
        <source>Interpreter</source>
        <translation>Interpreter</translation>
    </message>
    <message>
        <source>Style sheets (*.css)</source>
        <translation>Stilvorlagen (*.css)</translation>
    </message>
    <message>
        <source>Remove the style “%1”?</source>
        <translation>Den Stil „%1“ entfernen?</translation>
    </message>
    <message>
        <source>The file is deleted from Quillview's styles folder.</source>
        <translation>Die Datei wird aus dem Stilordner von Quillview gelöscht.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Reset the styles?</source>
        <translation>Stile zurücksetzen?</translation>
    </message>
    <message>
        <source>The styles folder then holds the eight styles that come with Quillview. Styles you added are deleted.</source>
        <translation>Der Stilordner enthält danach die acht Stile, die Quillview mitbringt. Von Ihnen hinzugefügte Stile werden gelöscht.</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>Preferences_CriticMarkup</name>
    <message>
        <source>Inline CSS of the review marks when CriticMarkup is switched on in the markup settings.</source>
        <translation>CSS der Anmerkungen, wenn CriticMarkup in den Auszeichnungs-Einstellungen eingeschaltet ist.</translation>
    </message>
    <message>
        <source>Highlight {== ==}:</source>
        <translation>Hervorhebung {== ==}:</translation>
    </message>
    <message>
        <source>Insertion {++ ++}:</source>
        <translation>Einfügung {++ ++}:</translation>
    </message>
    <message>
        <source>Comment {&gt;&gt; &lt;&lt;}:</source>
        <translation>Kommentar {&gt;&gt; &lt;&lt;}:</translation>
    </message>
    <message>
        <source>Deletion {-- --}:</source>
        <translation>Löschung {-- --}:</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Reset to Defaults</source>
        <translation>Standardwerte</translation>
    </message>
</context>
<context>
    <name>Preferences_MultiMarkdownExe</name>
    <message>
        <source>MultiMarkdown documents can be converted by a multimarkdown program installed on this computer instead of the script that comes with Quillview.</source>
        <translation>MultiMarkdown-Dokumente können statt mit dem mitgelieferten Skript mit einem auf diesem Computer installierten Programm multimarkdown umgewandelt werden.</translation>
    </message>
    <message>
        <source>Show /usr/local/bin</source>
        <translation>/usr/local/bin zeigen</translation>
    </message>
    <message>
        <source>Get MultiMarkdown…</source>
        <translation>MultiMarkdown holen…</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>Preferences_MultiMarkdownExe-Add</name>
    <message>
        <source>PREFERENCES_MULTIMARKDOWN_TITLE</source>
        <translation>Einstellungen: MultiMarkdown</translation>
    </message>
    <message>
        <source>MMD_LABEL_RESET</source>
        <translation>Mitgeliefertes Skript verwenden</translation>
    </message>
    <message>
        <source>MMD_LABEL_CHECK</source>
        <translation>multimarkdown suchen</translation>
    </message>
    <message>
        <source>MMD_USE_PERL_VERSION_MESSAGE</source>
        <translation>MultiMarkdown-Dokumente werden mit dem Skript umgewandelt, das Quillview mitbringt.</translation>
    </message>
    <message>
        <source>MMD_USE_NOT_FOUND_MESSAGE</source>
        <translation>Es wurde kein Programm multimarkdown gefunden. Installieren Sie eines (etwa das Paket libtext-multimarkdown-perl) und suchen Sie erneut.</translation>
    </message>
    <message>
        <source>MMD_CANNOT_EXECUTE</source>
        <translation>Eine Datei multimarkdown wurde gefunden, darf aber nicht ausgeführt werden. Machen Sie sie ausführbar und suchen Sie erneut.</translation>
    </message>
    <message>
        <source>MMD_OPEN_WEBSITE_TITLE</source>
        <translation>Webseite öffnen?</translation>
    </message>
    <message>
        <source>MMD_OPEN_WEBSITE_MESSAGE</source>
        <translation>%@ wird im Webbrowser geöffnet.</translation>
    </message>
    <message>
        <source>MMD_OPEN_WEBSITE_OPEN</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>MMD_OPEN_WEBSITE_CANCEL</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Preferences_CriticMarkup-Add</name>
    <message>
        <source>PREFERENCES_CRITICMARKUP_TITLE</source>
        <translation>Einstellungen: CriticMarkup</translation>
    </message>
</context>
<context>
    <name>MarkupInterpreter-Add</name>
    <message>
        <source>PREFERENCES_MARKUPINTERPRETER_TITLE</source>
        <translation>Einstellungen: Interpreter</translation>
    </message>
    <message>
        <source>Can't communicate with PHP Binary</source>
        <translation>Keine Antwort vom PHP-Programm</translation>
    </message>
    <message>
        <source>Can't communicate with file</source>
        <translation>Keine Verbindung zur Datei</translation>
    </message>
    <message>
        <source>Quillview wasn't able to communicate with the selected binary to retrieve the version-number of PHP. It might not work at all.</source>
        <translation>Quillview konnte vom gewählten Programm keine PHP-Versionsnummer erfahren. Vielleicht funktioniert es gar nicht.</translation>
    </message>
    <message>
        <source>PHP_INT_FAIL_TITLE</source>
        <translation>Die Datei lässt sich nicht ausführen</translation>
    </message>
    <message>
        <source>PHP_INT_FAIL_MESSAGE</source>
        <translation>Quillview konnte die gewählte Datei nicht als PHP-Interpreter starten. Prüfen Sie, ob es ein PHP-Programm ist und ausgeführt werden darf.</translation>
    </message>
    <message>
        <source>PHP_INT_FAIL_BUTTON_FINDER</source>
        <translation>Im Dateimanager zeigen</translation>
    </message>
    <message>
        <source>PHP_INT_FAIL_BUTTON_HELP</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>PHP_INT_FAIL_BUTTON_CANCEL</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>NO_VALID_PHP_SELECTED_TITLE</source>
        <translation>Kein funktionierender PHP-Interpreter gewählt</translation>
    </message>
    <message>
        <source>NO_VALID_PHP_SELECTED_MESSAGE</source>
        <translation>Wählen Sie zuerst einen PHP-Interpreter, der antwortet (etwa /usr/bin/php).</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Pr&amp;eferences…</source>
        <translation>&amp;Einstellungen…</translation>
    </message>
</context>
</TS>

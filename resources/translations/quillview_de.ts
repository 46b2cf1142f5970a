<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>MarkupInterpreter-Add</name>
    <message>
        <source>NO_VALID_PHP_SELECTED_TITLE_START</source>
        <translation>Kein gültiger PHP-Interpreter</translation>
    </message>
    <message>
        <source>NO_VALID_PHP_SELECTED_MESSAGE_START</source>
        <translation>Der in den Einstellungen gewählte PHP-Interpreter lässt sich nicht starten. Quillview wandelt mit den eingebauten Konvertern um, bis Sie einen anderen Interpreter wählen.</translation>
    </message>
</context>
<context>
    <name>Localizable</name>
    <message>
        <source>BASEURLAUTOMATIC_ACCESS_TITLE</source>
        <translation>Der Ordner des Dokuments ist nicht lesbar</translation>
    </message>
    <message>
        <source>BASEURLAUTOMATIC_ACCESS_MESSGAE</source>
        <translation>Relative Bilder und Links beziehen sich auf %@, den Quillview nicht lesen darf. Prüfen Sie die Zugriffsrechte des Ordners.</translation>
    </message>
    <message>
        <source>SANDBOX_ACCESS_TITLE</source>
        <translation>Zugriff auf den Ordner erlauben?</translation>
    </message>
    <message>
        <source>SANDBOX_ACCESS_MESSGAE</source>
        <translation>Quillview kann den ganzen Ordner dieses Dokuments beobachten und seine Bilder laden.</translation>
    </message>
    <message>
        <source>SANDBOX_ACCESS_FIRST_BUTTON</source>
        <translation>Ordner wählen …</translation>
    </message>
    <message>
        <source>SANDBOX_ACCESS_SECOND_BUTTOM</source>
        <translation>Jetzt nicht</translation>
    </message>
    <message>
        <source>SELECT_SANDBOX_FOLDER_TITLE</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>SELECT_SANDBOX_FOLDER_MESSAGE</source>
        <translation>Wählen Sie den Ordner des Dokuments oder einen darüber.</translation>
    </message>
    <message>
        <source>FOLDER_ACCESS_GRANTED_NO_MATCH_TITLE</source>
        <translation>Ordner enthält das Dokument nicht</translation>
    </message>
    <message>
        <source>FOLDER_ACCESS_GRANTED_NO_MATCH_MESSAGE</source>
        <translation>Der Ordner wurde gespeichert, enthält dieses Dokument aber nicht.</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>This is a folder</source>
        <translation>Das ist ein Ordner</translation>
    </message>
    <message>
        <source>“%1” is a folder, not a document to preview.</source>
        <translation>„%1“ ist ein Ordner, kein Dokument für die Vorschau.</translation>
    </message>
    <message>
        <source>Copy HTML</source>
        <translation>HTML kopieren</translation>
    </message>
    <message>
        <source>Base URL</source>
        <translation>Basis-URL</translation>
    </message>
    <message>
        <source>Edit in</source>
        <translation>Bearbeiten in</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>HTML</source>
        <translation>HTML</translation>
    </message>
    <message>
        <source>Rendered page</source>
        <translation>Dargestellte Seite</translation>
    </message>
    <message>
        <source>HTML source</source>
        <translation>HTML-Quelltext</translation>
    </message>
    <message>
        <source>Smaller</source>
        <translation>Kleiner</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Bigger</source>
        <translation>Größer</translation>
    </message>
    <message>
        <source>Smaller text</source>
        <translation>Kleinere Schrift</translation>
    </message>
    <message>
        <source>Default text size</source>
        <translation>Normale Schriftgröße</translation>
    </message>
    <message>
        <source>Bigger text</source>
        <translation>Größere Schrift</translation>
    </message>
    <message>
        <source>Base URL for relative links and images</source>
        <translation>Basis-URL für relative Links und Bilder</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Automatic: the folder named like the file, else the file's folder</source>
        <translation>Automatisch: der Ordner mit dem Namen der Datei, sonst der Ordner der Datei</translation>
    </message>
    <message>
        <source>This folder:</source>
        <translation>Dieser Ordner:</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Wählen …</translation>
    </message>
    <message>
        <source>Web address:</source>
        <translation>Web-Adresse:</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>The file is not there</source>
        <translation>Die Datei ist nicht da</translation>
    </message>
    <message>
        <source>“%1” was moved or deleted. The preview comes back when the file does.</source>
        <translation>„%1“ wurde verschoben oder gelöscht. Die Vorschau kehrt zurück, sobald die Datei wieder da ist.</translation>
    </message>
    <message>
        <source>The file is too large to preview</source>
        <translation>Die Datei ist zu groß für die Vorschau</translation>
    </message>
    <message>
        <source>“%1” has %2 MB; the preview shows files of up to %3 MB.</source>
        <translation>„%1“ ist %2 MB groß; die Vorschau zeigt Dateien bis %3 MB.</translation>
    </message>
    <message>
        <source>This is not a text file</source>
        <translation>Das ist keine Textdatei</translation>
    </message>
    <message>
        <source>“%1” holds binary data, such as an image or a program, not text to preview.</source>
        <translation>„%1“ enthält Binärdaten wie ein Bild oder ein Programm, keinen Text für die Vorschau.</translation>
    </message>
    <message>
        <source>The file cannot be read</source>
        <translation>Die Datei lässt sich nicht lesen</translation>
    </message>
    <message>
        <source>“%1” could not be read, or its text is in no encoding Quillview knows.</source>
        <translation>„%1“ ließ sich nicht lesen, oder ihr Text steht in keiner Kodierung, die Quillview kennt.</translation>
    </message>
    <message>
        <source>This document took too long to convert</source>
        <translation>Die Umwandlung dieses Dokuments hat zu lange gedauert</translation>
    </message>
    <message>
        <source>Converting “%1” was stopped: it took longer than the time limit of %2 s, which is set in Preferences ▸ Markup.</source>
        <translation>Die Umwandlung von „%1“ wurde abgebrochen: Sie dauerte länger als die Zeitgrenze von %2 s. Die Grenze legen Sie unter Einstellungen ▸ Auszeichnung fest.</translation>
    </message>
    <message>
        <source>The package cannot be shown</source>
        <translation>Das Paket lässt sich nicht anzeigen</translation>
    </message>
    <message>
        <source>“%1” could not be read as a TextBundle or TextPack.</source>
        <translation>„%1“ ließ sich nicht als TextBundle oder TextPack lesen.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Printing…</source>
        <translation>Drucken …</translation>
    </message>
    <message>
        <source>Printed.</source>
        <translation>Gedruckt.</translation>
    </message>
    <message>
        <source>The document could not be printed.</source>
        <translation>Das Dokument konnte nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>Plain Text (.txt)</source>
        <translation>Reiner Text (.txt)</translation>
    </message>
    <message>
        <source>Rich Text (.rtf)</source>
        <translation>Rich Text (.rtf)</translation>
    </message>
    <message>
        <source>Rich Text with Attachments (.rtfd)</source>
        <translation>Rich Text mit Anhängen (.rtfd)</translation>
    </message>
    <message>
        <source>Word 97 (.doc)</source>
        <translation>Word 97 (.doc)</translation>
    </message>
    <message>
        <source>Word (.docx)</source>
        <translation>Word (.docx)</translation>
    </message>
    <message>
        <source>OpenDocument Text (.odt)</source>
        <translation>OpenDocument-Text (.odt)</translation>
    </message>
    <message>
        <source>HTML (.html)</source>
        <translation>HTML (.html)</translation>
    </message>
    <message>
        <source>PDF (.pdf)</source>
        <translation>PDF (.pdf)</translation>
    </message>
    <message>
        <source>TextBundle (.textbundle)</source>
        <translation>TextBundle (.textbundle)</translation>
    </message>
    <message>
        <source>TextPack (.textpack)</source>
        <translation>TextPack (.textpack)</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>The document was not exported</source>
        <translation>Das Dokument wurde nicht exportiert</translation>
    </message>
    <message>
        <source>“%1” could not be written.</source>
        <translation>„%1“ ließ sich nicht schreiben.</translation>
    </message>
    <message>
        <source>Exporting “%1”…</source>
        <translation>„%1“ wird exportiert …</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Markdown &amp;Flavour</source>
        <translation>Markdown-&amp;Variante</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Ablage</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>Ö&amp;ffnen …</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>Copy &amp;HTML</source>
        <translation>&amp;HTML kopieren</translation>
    </message>
    <message>
        <source>Show in File &amp;Manager</source>
        <translation>Im &amp;Dateimanager zeigen</translation>
    </message>
    <message>
        <source>&amp;Edit In</source>
        <translation>&amp;Bearbeiten in</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Darstellung</translation>
    </message>
    <message>
        <source>Toggle HTML &amp;Source</source>
        <translation>HTML-&amp;Quelltext ein/aus</translation>
    </message>
    <message>
        <source>&amp;Bigger</source>
        <translation>&amp;Größer</translation>
    </message>
    <message>
        <source>S&amp;maller</source>
        <translation>&amp;Kleiner</translation>
    </message>
    <message>
        <source>&amp;Default Size</source>
        <translation>&amp;Normale Größe</translation>
    </message>
    <message>
        <source>&amp;Light/Dark Window</source>
        <translation>&amp;Helles/dunkles Fenster</translation>
    </message>
    <message>
        <source>Show &amp;Title</source>
        <translation>&amp;Titel zeigen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Documents (*.md *.markdown *.mdown *.mkdn *.mmd *.textile *.tex *.wiki *.bbcode *.bbc *.tessel *.tsl *.html *.htm *.textpack *.txt);;All files (*)</source>
        <translation>Dokumente (*.md *.markdown *.mdown *.mkdn *.mmd *.textile *.tex *.wiki *.bbcode *.bbc *.tessel *.tsl *.html *.htm *.textpack *.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open Rece&amp;nt</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>&amp;Drucken …</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Find…</source>
        <translation>&amp;Suchen …</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find &amp;Previous</source>
        <translation>&amp;Rückwärts suchen</translation>
    </message>
    <message>
        <source>&amp;Outline</source>
        <translation>&amp;Gliederung</translation>
    </message>
    <message>
        <source>E&amp;xport</source>
        <translation>E&amp;xportieren</translation>
    </message>
</context>
<context>
    <name>ScriptNoticeBar</name>
    <message>
        <source>This document contains scripts. They were not run.</source>
        <translation>Dieses Dokument enthält Skripte. Sie wurden nicht ausgeführt.</translation>
    </message>
    <message>
        <source>Allow Scripts in This Folder</source>
        <translation>Skripte in diesem Ordner erlauben</translation>
    </message>
    <message>
        <source>Runs the scripts of every document in this folder from now on.</source>
        <translation>Führt ab jetzt die Skripte jedes Dokuments in diesem Ordner aus.</translation>
    </message>
</context>
<context>
    <name>NoticeBar</name>
    <message>
        <source>Hide this message</source>
        <translation>Diese Meldung ausblenden</translation>
    </message>
</context>
<context>
    <name>PictureNoticeBar</name>
    <message numerus="yes">
        <source>This document shows %n picture(s) from the web. They were not loaded.</source>
        <translation>
            <numerusform>Dieses Dokument zeigt %n Bild aus dem Web. Es wurde nicht geladen.</numerusform>
            <numerusform>Dieses Dokument zeigt %n Bilder aus dem Web. Sie wurden nicht geladen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Load Pictures</source>
        <translation>Bilder laden</translation>
    </message>
    <message>
        <source>Loads the pictures of this document until its window closes.</source>
        <translation>Lädt die Bilder dieses Dokuments, bis sein Fenster geschlossen wird.</translation>
    </message>
    <message>
        <source>Always for This Folder</source>
        <translation>Immer für diesen Ordner</translation>
    </message>
    <message>
        <source>Loads the pictures of every document in this folder from now on.</source>
        <translation>Lädt ab jetzt die Bilder jedes Dokuments in diesem Ordner.</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Find in document</source>
        <translation>Im Dokument suchen</translation>
    </message>
    <message>
        <source>Previous match (Shift+Enter)</source>
        <translation>Vorheriger Treffer (Umschalt+Eingabe)</translation>
    </message>
    <message>
        <source>Next match (Enter)</source>
        <translation>Nächster Treffer (Eingabe)</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>Close (Escape)</source>
        <translation>Schließen (Esc)</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Keine Treffer</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>OutlinePanel</name>
    <message>
        <source>Outline</source>
        <translation>Gliederung</translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <source>&amp;Clear Menu</source>
        <translation>Menü &amp;leeren</translation>
    </message>
</context>
<context>
    <name>DocumentStatistics</name>
    <message>
        <source>Words: %1 · Characters: %2 · Reading time: %3 min</source>
        <translation>Wörter: %1 · Zeichen: %2 · Lesezeit: %3 Min.</translation>
    </message>
</context>
<context>
    <name>ExportMarkup2Document</name>
    <message>
        <source>The review marks could not be written.</source>
        <translation>Die Überarbeitungsmarken ließen sich nicht schreiben.</translation>
    </message>
    <message>
        <source>page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>qpdf could not be started to number the pages.</source>
        <translation>qpdf ließ sich nicht starten, um die Seiten zu nummerieren.</translation>
    </message>
    <message>
        <source>The pages could not be numbered.</source>
        <translation>Die Seiten ließen sich nicht nummerieren.</translation>
    </message>
    <message>
        <source>LibreOffice could not be started.</source>
        <translation>LibreOffice ließ sich nicht starten.</translation>
    </message>
    <message>
        <source>LibreOffice could not convert the document.</source>
        <translation>LibreOffice konnte das Dokument nicht umwandeln.</translation>
    </message>
    <message>
        <source>LibreOffice is not installed (Debian package libreoffice-writer-nogui).</source>
        <translation>LibreOffice ist nicht installiert (Debian-Paket libreoffice-writer-nogui).</translation>
    </message>
    <message>
        <source>LibreOffice took too long and was stopped.</source>
        <translation>LibreOffice brauchte zu lange und wurde angehalten.</translation>
    </message>
    <message>
        <source>No destination was given.</source>
        <translation>Es wurde kein Ziel angegeben.</translation>
    </message>
    <message>
        <source>No temporary folder could be made for the export.</source>
        <translation>Für den Export ließ sich kein temporärer Ordner anlegen.</translation>
    </message>
    <message>
        <source>The HTML could not be written.</source>
        <translation>Das HTML ließ sich nicht schreiben.</translation>
    </message>
    <message>
        <source>The markup interpreter failed to convert the document.</source>
        <translation>Der Markup-Interpreter konnte das Dokument nicht umwandeln.</translation>
    </message>
    <message>
        <source>The PDF could not be printed.</source>
        <translation>Das PDF ließ sich nicht drucken.</translation>
    </message>
    <message>
        <source>The RTFD folder could not be written.</source>
        <translation>Der RTFD-Ordner ließ sich nicht schreiben.</translation>
    </message>
    <message>
        <source>The destination holds the document.</source>
        <translation>Das Ziel enthält das Dokument.</translation>
    </message>
    <message>
        <source>The destination is the document itself.</source>
        <translation>Das Ziel ist das Dokument selbst.</translation>
    </message>
    <message>
        <source>The destination lies inside the document's package.</source>
        <translation>Das Ziel liegt im Paket des Dokuments.</translation>
    </message>
    <message>
        <source>The document could not be prepared for LibreOffice.</source>
        <translation>Das Dokument ließ sich nicht für LibreOffice vorbereiten.</translation>
    </message>
    <message>
        <source>The folder “%1” cannot be written to.</source>
        <translation>In den Ordner „%1“ kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The folder “%1” does not exist.</source>
        <translation>Den Ordner „%1“ gibt es nicht.</translation>
    </message>
    <message>
        <source>The package could not be written.</source>
        <translation>Das Paket ließ sich nicht schreiben.</translation>
    </message>
    <message>
        <source>The page could not be loaded for printing.</source>
        <translation>Die Seite ließ sich zum Drucken nicht laden.</translation>
    </message>
    <message>
        <source>The page could not be prepared for printing.</source>
        <translation>Die Seite ließ sich nicht zum Drucken vorbereiten.</translation>
    </message>
    <message>
        <source>The text could not be written.</source>
        <translation>Der Text ließ sich nicht schreiben.</translation>
    </message>
    <message>
        <source>“%1” already exists and is not a %2 package, so it was left as it is.</source>
        <translation>„%1“ gibt es schon, und es ist kein %2-Paket; es bleibt daher, wie es ist.</translation>
    </message>
    <message>
        <source>“%1” could not be replaced.</source>
        <translation>„%1“ ließ sich nicht ersetzen.</translation>
    </message>
    <message>
        <source>“%1” could not be written completely.</source>
        <translation>„%1“ ließ sich nicht vollständig schreiben.</translation>
    </message>
    <message>
        <source>“%1” does not exist.</source>
        <translation>„%1“ gibt es nicht.</translation>
    </message>
    <message>
        <source>“%1” is a folder, so it was left as it is.</source>
        <translation>„%1“ ist ein Ordner und bleibt daher, wie er ist.</translation>
    </message>
    <message>
        <source>“%1” is not a format Quillview exports to.</source>
        <translation>„%1“ ist kein Format, in das Quillview exportiert.</translation>
    </message>
</context>
<context>
    <name>Textbundle</name>
    <message>
        <source>Unknown Markup-Indentifier</source>
        <translation>Unbekannte Auszeichnungssprache</translation>
    </message>
    <message>
        <source>The Markup-Identifier for this document is set to %1. The default-markup-language for this document has been set to Markdown.</source>
        <translation>Als Auszeichnungssprache dieses Dokuments ist %1 angegeben. Das Dokument wird stattdessen als Markdown angezeigt.</translation>
    </message>
    <message>
        <source>The package could not be opened</source>
        <translation>Das Paket ließ sich nicht öffnen</translation>
    </message>
</context>
<context>
    <name>ZipArchive</name>
    <message>
        <source>The package was not opened: %1</source>
        <translation>Das Paket wurde nicht geöffnet: %1</translation>
    </message>
    <message>
        <source>it is compressed more than 100 to 1, as archives made to exhaust the disk are.</source>
        <translation>es ist stärker als 100 zu 1 gepackt, wie Archive, die den Datenträger füllen sollen.</translation>
    </message>
    <message>
        <source>it is not a readable zip archive (%1).</source>
        <translation>es ist kein lesbares ZIP-Archiv (%1).</translation>
    </message>
    <message>
        <source>an entry is encrypted.</source>
        <translation>ein Eintrag ist verschlüsselt.</translation>
    </message>
    <message>
        <source>it holds a symbolic link.</source>
        <translation>es enthält einen symbolischen Link.</translation>
    </message>
    <message>
        <source>an entry does not declare its size.</source>
        <translation>ein Eintrag gibt seine Größe nicht an.</translation>
    </message>
    <message>
        <source>an entry would unpack to more than 1 GB.</source>
        <translation>ein Eintrag würde entpackt größer als 1 GB.</translation>
    </message>
    <message>
        <source>the entry "%1" would be written outside its folder.</source>
        <translation>der Eintrag „%1“ würde außerhalb seines Ordners geschrieben.</translation>
    </message>
    <message>
        <source>an entry cannot be read.</source>
        <translation>ein Eintrag lässt sich nicht lesen.</translation>
    </message>
    <message>
        <source>it holds more than 10,000 files.</source>
        <translation>es enthält mehr als 10.000 Dateien.</translation>
    </message>
    <message>
        <source>its files together would unpack to more than 1 GB.</source>
        <translation>seine Dateien wären entpackt zusammen größer als 1 GB.</translation>
    </message>
    <message>
        <source>an entry cannot be read (%1).</source>
        <translation>ein Eintrag lässt sich nicht lesen (%1).</translation>
    </message>
    <message>
        <source>%1 cannot be written.</source>
        <translation>%1 lässt sich nicht schreiben.</translation>
    </message>
    <message>
        <source>an entry holds more data than it declares.</source>
        <translation>ein Eintrag enthält mehr Daten, als er angibt.</translation>
    </message>
    <message>
        <source>%1 cannot be created.</source>
        <translation>%1 lässt sich nicht anlegen.</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>VantrelUpdate_DE</name>
    <message>
        <source>VantrelUpdate_MENU_ITEM</source>
        <translation>Nach Updates suchen …</translation>
    </message>
    <message>
        <source>VantrelUpdate_QUESTION_TITLE</source>
        <translation>Automatisch nach Updates suchen?</translation>
    </message>
    <message>
        <source>VantrelUpdate_QUESTION_MESSAGE</source>
        <translation>%@ kann bei jedem Start auf seiner Download-Seite nachsehen, ob eine neuere Version bereitsteht. Dabei wird nur die Nummer der neuesten Version abgerufen; über Sie und Ihre Dokumente wird nichts gesendet. Von Hand suchen können Sie jederzeit mit Hilfe ▸ Nach Updates suchen …</translation>
    </message>
    <message>
        <source>VantrelUpdate_NOTHANKS_BUTTON</source>
        <translation>Nein, danke</translation>
    </message>
    <message>
        <source>VantrelUpdate_PRIVACY_BUTTON</source>
        <translation>Datenschutz</translation>
    </message>
    <message>
        <source>VantrelUpdate_NOUPDATE_TITLE</source>
        <translation>Sie sind auf dem neuesten Stand</translation>
    </message>
    <message>
        <source>VantrelUpdate_NOUPDATE_TEXT</source>
        <translation>Es gibt keine neuere Version als die, die Sie verwenden.</translation>
    </message>
    <message>
        <source>VantrelUpdate_CONNECTION_FAILED_TITLE</source>
        <translation>Die Suche nach Updates ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>VantrelUpdate_CONNECTION_FAILED_TEXT</source>
        <translation>Die Nummer der neuesten Version ließ sich nicht von %@ abrufen. Prüfen Sie Ihre Internetverbindung und versuchen Sie es später noch einmal.</translation>
    </message>
    <message>
        <source>VantrelUpdate_WINDOW_TITLE</source>
        <translation>%@-Updates</translation>
    </message>
    <message>
        <source>VantrelUpdate_GREETTITLE</source>
        <translation>Eine neue Version von %@ ist verfügbar</translation>
    </message>
    <message>
        <source>VantrelUpdate_GREETMESSAGE</source>
        <translation>Version %@ ist verfügbar; Sie verwenden Version %@. Der Download öffnet sich in Ihrem Webbrowser.</translation>
    </message>
    <message>
        <source>VantrelUpdate_CHECKBOX_AUTOCHECK</source>
        <translation>Beim Start automatisch nach Updates suchen</translation>
    </message>
    <message>
        <source>VantrelUpdate_BUTTON_DOWNLOAD</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>VantrelUpdate_BUTTON_LATER</source>
        <translation>Später erinnern</translation>
    </message>
    <message>
        <source>VantrelUpdate_BUTTON_RN</source>
        <translation>Versionshinweise</translation>
    </message>
</context>
</TS>

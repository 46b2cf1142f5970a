<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ExternalInterpreter</name>
    <message>
        <source>%1 could not be started.</source>
        <translation>%1 ließ sich nicht starten.</translation>
    </message>
    <message>
        <source>%1 ended abnormally.</source>
        <translation>%1 wurde unerwartet beendet.</translation>
    </message>
    <message>
        <source>%1 ended with exit status %2.</source>
        <translation>%1 endete mit dem Status %2.</translation>
    </message>
    <message>
        <source>%1 printed text that is not UTF-8.</source>
        <translation>%1 gab Text aus, der kein UTF-8 ist.</translation>
    </message>
    <message>
        <source>%1 printed nothing.</source>
        <translation>%1 gab nichts aus.</translation>
    </message>
    <message>
        <source>There is no conversion script for the markup language &quot;%1&quot;.</source>
        <translation>Für die Auszeichnungssprache „%1“ gibt es kein Umwandlungsskript.</translation>
    </message>
    <message>
        <source>The conversion script %1 is missing and could not be installed.</source>
        <translation>Das Umwandlungsskript %1 fehlt und ließ sich nicht installieren.</translation>
    </message>
    <message>
        <source>The document could not be converted.</source>
        <translation>Das Dokument ließ sich nicht umwandeln.</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AppDelegate</name>
    <message>
        <source>&amp;Jump to Change</source>
        <translation>&amp;Zur Änderung springen</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ExternalInterpreter</name>
    <message>
        <source>%1 could not be started.</source>
        <translation>%1 could not be started.</translation>
    </message>
    <message>
        <source>%1 ended abnormally.</source>
        <translation>%1 ended abnormally.</translation>
    </message>
    <message>
        <source>%1 ended with exit status %2.</source>
        <translation>%1 ended with exit status %2.</translation>
    </message>
    <message>
        <source>%1 printed text that is not UTF-8.</source>
        <translation>%1 printed text that is not UTF-8.</translation>
    </message>
    <message>
        <source>%1 printed nothing.</source>
        <translation>%1 printed nothing.</translation>
    </message>
    <message>
        <source>There is no conversion script for the markup language &quot;%1&quot;.</source>
        <translation>There is no conversion script for the markup language &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The conversion script %1 is missing and could not be installed.</source>
        <translation>The conversion script %1 is missing and could not be installed.</translation>
    </message>
    <message>
        <source>The document could not be converted.</source>
        <translation>The document could not be converted.</translation>
    </message>
</context>
</TS>

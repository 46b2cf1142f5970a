<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AppDelegate</name>
    <message>
        <source>&amp;Jump to Change</source>
        <translation>&amp;Jump to Change</translation>
    </message>
</context>
</TS>

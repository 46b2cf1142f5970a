<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>VantrelUpdate_EN</name>
    <message>
        <source>VantrelUpdate_MENU_ITEM</source>
        <translation>Check for Updates…</translation>
    </message>
    <message>
        <source>VantrelUpdate_QUESTION_TITLE</source>
        <translation>Check for updates automatically?</translation>
    </message>
    <message>
        <source>VantrelUpdate_QUESTION_MESSAGE</source>
        <translation>%@ can look at each start whether a newer version is available on its download site. Only the number of the newest version is fetched; nothing about you or your documents is sent. You can check by hand at any time with Help ▸ Check for Updates…</translation>
    </message>
    <message>
        <source>VantrelUpdate_NOTHANKS_BUTTON</source>
        <translation>No, Thanks</translation>
    </message>
    <message>
        <source>VantrelUpdate_PRIVACY_BUTTON</source>
        <translation>Privacy</translation>
    </message>
    <message>
        <source>VantrelUpdate_NOUPDATE_TITLE</source>
        <translation>You are up to date</translation>
    </message>
    <message>
        <source>VantrelUpdate_NOUPDATE_TEXT</source>
        <translation>There is no newer version than the one you are using.</translation>
    </message>
    <message>
        <source>VantrelUpdate_CONNECTION_FAILED_TITLE</source>
        <translation>The update check failed</translation>
    </message>
    <message>
        <source>VantrelUpdate_CONNECTION_FAILED_TEXT</source>
        <translation>The newest version number could not be fetched from %@. Check your internet connection and try again later.</translation>
    </message>
    <message>
        <source>VantrelUpdate_WINDOW_TITLE</source>
        <translation>%@ Updates</translation>
    </message>
    <message>
        <source>VantrelUpdate_GREETTITLE</source>
        <translation>A new version of %@ is available</translation>
    </message>
    <message>
        <source>VantrelUpdate_GREETMESSAGE</source>
        <translation>Version %@ is available; you are using version %@. The download opens in your web browser.</translation>
    </message>
    <message>
        <source>VantrelUpdate_CHECKBOX_AUTOCHECK</source>
        <translation>Check for updates automatically at start</translation>
    </message>
    <message>
        <source>VantrelUpdate_BUTTON_DOWNLOAD</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>VantrelUpdate_BUTTON_LATER</source>
        <translation>Remind Me Later</translation>
    </message>
    <message>
        <source>VantrelUpdate_BUTTON_RN</source>
        <translation>Release Notes</translation>
    </message>
</context>
</TS>

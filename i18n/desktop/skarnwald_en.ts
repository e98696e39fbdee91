<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>BatchConvert</name>
    <message numerus="yes">
        <source>%1 of %n report(s) converted.</source>
        <translation>
            <numerusform>%1 of %n report converted.</numerusform>
            <numerusform>%1 of %n reports converted.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Cancelled: %n report(s) were not processed.</source>
        <translation>
            <numerusform>Cancelled: %n report was not processed.</numerusform>
            <numerusform>Cancelled: %n reports were not processed.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>skarnwald::CDatabaseDlg</name>
    <message numerus="yes">
        <source>%n battle(s) shown</source>
        <translation>
            <numerusform>%n battle shown</numerusform>
            <numerusform>%n battles shown</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Empty the database: %n stored battle(s) with all their fleet, combat and statistics lines? This cannot be undone.</source>
        <translation>
            <numerusform>Empty the database: the stored battle with all its fleet, combat and statistics lines? This cannot be undone.</numerusform>
            <numerusform>Empty the database: all %n stored battles with all their fleet, combat and statistics lines? This cannot be undone.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n battle(s) written as CSV: %1</source>
        <translation>
            <numerusform>%n battle written as CSV: %1</numerusform>
            <numerusform>%n battles written as CSV: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>skarnwald::CTimelineDlg</name>
    <message numerus="yes">
        <source>%1: %2 %3 (%n battle(s))</source>
        <translation>
            <numerusform>%1: %2 %3 (%n battle)</numerusform>
            <numerusform>%1: %2 %3 (%n battles)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>skarnwald::CVoxlanView</name>
    <message numerus="yes">
        <source>%1: %n battle(s) converted</source>
        <translation>
            <numerusform>%1: %n battle converted</numerusform>
            <numerusform>%1: %n battles converted</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Conversion took %n millisecond(s)</source>
        <translation>
            <numerusform>Conversion took %n millisecond</numerusform>
            <numerusform>Conversion took %n milliseconds</numerusform>
        </translation>
    </message>
</context>
</TS>

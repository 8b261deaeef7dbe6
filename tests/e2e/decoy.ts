<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>QObject</name>
    <message>
        <source>OrvantoPDF编辑器</source>
        <translation>OrvantoPDF Decoy</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>QAboutDialog</name>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Built on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qt %1, MuPDF %2, SQLite %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Licence: GNU Affero General Public License, version 3 or later (AGPL-3.0-or-later)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the licence</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QFloatExWidget</name>
    <message>
        <source>QFloatExWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF转Word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF转Excel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF转PPT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF转图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF转CAD</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QHomeWidget</name>
    <message>
        <source>QHomeWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最近编辑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开PDF文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>点击登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>合并PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>将多个文件合并为一个PDF文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>创建PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新建一个空白的PDF文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF格式转换</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>将PDF转换为Word，PPT，Excel等文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>推荐</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF文件压缩</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>支持PDF压缩，以及视频、图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法清空最近编辑列表。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QItemFileWidget</name>
    <message>
        <source>QItemFileWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测试.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件不存在！</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QMainWidgetClass</name>
    <message>
        <source>QMainWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>客服</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>菜单</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>OrvantoPDF编辑器</source>
        <translation>OrvantoPDF Editor</translation>
    </message>
    <message>
        <source>软件已启动，请勿重复运行！</source>
        <translation>The program is already running. Please do not start it twice.</translation>
    </message>
</context>
<context>
    <name>QSignInDialog</name>
    <message>
        <source>Sign in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avatar:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your account stays on this computer; nothing is sent anywhere.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose an avatar image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file is not an image that can be read:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your account could not be saved in the application data folder.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QUserHelp</name>
    <message>
        <source>No update service is configured for this installation. Updates arrive through your system&apos;s package manager.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no customer service for this installation.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QUserPanel</name>
    <message>
        <source>Sign out</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

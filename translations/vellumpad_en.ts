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
        <translation>PDF to Word</translation>
    </message>
    <message>
        <source>PDF转Excel</source>
        <translation>PDF to Excel</translation>
    </message>
    <message>
        <source>PDF转PPT</source>
        <translation>PDF to PPT</translation>
    </message>
    <message>
        <source>PDF转图片</source>
        <translation>PDF to Image</translation>
    </message>
    <message>
        <source>PDF转CAD</source>
        <translation>PDF to CAD</translation>
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
        <translation>Recent files</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>打开PDF文件</source>
        <translation>Open PDF file</translation>
    </message>
    <message>
        <source>点击登录</source>
        <translation>Click to sign in</translation>
    </message>
    <message>
        <source>合并PDF</source>
        <translation>Merge PDF</translation>
    </message>
    <message>
        <source>将多个文件合并为一个PDF文件</source>
        <translation>Combine several files into one PDF file</translation>
    </message>
    <message>
        <source>创建PDF</source>
        <translation>Create PDF</translation>
    </message>
    <message>
        <source>新建一个空白的PDF文件</source>
        <translation>Create a new blank PDF file</translation>
    </message>
    <message>
        <source>PDF格式转换</source>
        <translation>Convert PDF</translation>
    </message>
    <message>
        <source>将PDF转换为Word，PPT，Excel等文件</source>
        <translation>Convert PDF to Word, PPT, Excel and more</translation>
    </message>
    <message>
        <source>推荐</source>
        <translation>Top pick</translation>
    </message>
    <message>
        <source>PDF文件压缩</source>
        <translation>Compress PDF</translation>
    </message>
    <message>
        <source>支持PDF压缩，以及视频、图片</source>
        <translation>Compress PDFs, videos and images</translation>
    </message>
    <message>
        <source>无法清空最近编辑列表。</source>
        <translation>The list of recent files could not be cleared.</translation>
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
        <translation>test.pdf</translation>
    </message>
    <message>
        <source>文件不存在！</source>
        <translation>The file does not exist!</translation>
    </message>
    <message>
        <source>从列表中移除</source>
        <translation>Remove from the list</translation>
    </message>
</context>
<context>
    <name>QMainWidget</name>
    <message>
        <source>产品官网</source>
        <translation>Product website</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>帮助中心</source>
        <translation>Help center</translation>
    </message>
    <message>
        <source>检查更新</source>
        <translation>Check for updates</translation>
    </message>
    <message>
        <source>关于我们</source>
        <translation>About</translation>
    </message>
    <message>
        <source>初始化com组件异常，可能未注册！</source>
        <translation>The editor component could not be created; it may not be registered!</translation>
    </message>
    <message>
        <source>初始化activeX控件异常！</source>
        <translation>The editor component has no usable interface!</translation>
    </message>
    <message>
        <source>创建空白文档异常！</source>
        <translation>The blank document could not be created!</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>最大化</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>还原</source>
        <translation>Restore</translation>
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
        <translation>Sign in</translation>
    </message>
    <message>
        <source>客服</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>菜单</source>
        <translation>Menu</translation>
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

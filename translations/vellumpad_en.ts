<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>CPXVControl</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;omment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a document, combine several files into one, or start with a blank page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not the id of an event.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (not saved yet)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file name was given to open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document was not made by this editor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” could not be saved: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spreadsheets cannot be written here; the pages come out as a Word document.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Presentations cannot be written here; the pages come out as a Word document.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” was written: %2, before %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” was written: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Split Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (never saved), changed %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 in %2, changed %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (the file has changed since: its changes are restored into a copy next to it)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>recovered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>recovered %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” no longer exists, so its changes cannot be restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A copy of “%1” cannot be made next to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kept changes in “%1” cannot be read (%2); the file was moved to “%3”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fo&amp;rm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form fields filled: %1. Comments added: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fields the document does not have, left out: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comments of kinds the editor cannot add, left out: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Summarize Comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Pages from File</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPXVInst</name>
    <message>
        <source>The editor knows no command, pane, operation or event named “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not a command.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not the id of an operation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The operation was not made by this editor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no files to combine.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another combine is still running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Combining…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Combine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Combining “%1” (%2 of %3)…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Combining was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The editor has no extension named “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The editor has no preference %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
    <name>QCommonMethod</name>
    <message>
        <source>Vellumpad has no web site; this page is not available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page is not installed. It was expected at:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No program is set up to open this page:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the PDF converter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the CAD converter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The conversion tools are separate products, and there is no page for %1 here.</source>
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
<context>
    <name>pxv::ActionSet</name>
    <message>
        <source>&amp;Open…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New Blank Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Combine Files…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit &amp;Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit &amp;Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;First Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;revious Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Last Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Page &amp;Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Page &amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo &amp;History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page &amp;Thumbnails</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert &amp;Blank Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert Pages from File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xtract Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;plit Document…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Crop Pages…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resi&amp;ze Pages…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Watermark…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove &amp;Watermarks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Header and Footer…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove H&amp;eaders and Footers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Properties…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Security…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Outline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Con&amp;vert…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert to Word…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert for a Spreadsheet…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert for a Presentation…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert to Images…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert to Drawings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Co&amp;mpress…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New from &amp;Images…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New from &amp;Text File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select Text and Comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Highlight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stri&amp;keout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sticky &amp;Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Text Box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Arrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ellipse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xport Comments and Fields…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import Comments and Fields…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Bookmark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Attachments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Layers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Su&amp;mmarize Comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Image Stamp…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reset Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Highlight Fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run Form &amp;Scripts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Si&amp;gnatures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;quiggly Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pol&amp;ygon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;olyline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Co&amp;mment Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>St&amp;amps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment St&amp;yles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For&amp;ward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::AnnotationBar</name>
    <message>
        <source>Yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> pt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::AttachmentsPane</name>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Embed files in the document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open with the program for its type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save a copy of the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the file from the document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, changed %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no temporary folder to open “%1” from.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No program could be started to open “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::CombineDialog</name>
    <message>
        <source>Combine Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Combine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pages of these files, in this order, make the new document:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF documents (*.pdf *.PDF);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New from Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;reate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each of these images, in this order, makes a page of the new document:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image&apos;s own size (from its resolution)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fitted to A4, with a margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fitted to Letter, with a margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Page size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images (*.jpg *.jpeg *.png *.tif *.tiff *.JPG *.JPEG *.PNG *.TIF *.TIFF)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::CommentStylesPane</name>
    <message>
        <source>Highlight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Squiggly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sticky Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polygon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polyline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The look the next one gets; double-click to choose its colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply to Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give the selected comment this look</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New comments of the selected comment&apos;s kind look like it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back to this kind&apos;s built-in look</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour of New Comments: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::CommentsPane</name>
    <message>
        <source>Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polygon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polyline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Squiggly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamp: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Author</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamp</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::CompressDialog</name>
    <message>
        <source>&amp;Lossless: drop unused data and compress what is left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Smaller &amp;images: lower their resolution and store them as JPEG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> dpi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (compressed).pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size now:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not saved yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Resolution:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quality:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Compressed Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::ConvertDialog</name>
    <message>
        <source>One file per page, into a &amp;folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Word document (.docx)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OpenDocument text (.odt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plain text (.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web page (.html)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing (.svg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG image (.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG image (.jpg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> dpi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Resolution:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert into Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert to File</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::CropDialog</name>
    <message>
        <source>Crop Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Left:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Top:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Right:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bottom:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> pt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::CropPreview</name>
    <message>
        <source>Drag a rectangle over the page to choose the area to keep.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::DialogLayouts</name>
    <message>
        <source>&amp;Browse…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save to:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::DialogProvider</name>
    <message>
        <source>PDF documents (*.pdf *.PDF);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New from Text File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is protected. Enter its password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password is not correct.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” has unsaved changes. Save them before closing?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” has unsaved changes. Reload it from the file and lose them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Unsaved Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The editor ended before these documents were saved. Restore their changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Sizing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fit to paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Keyboard&lt;/b&gt;&lt;br&gt;Ctrl+O open, Ctrl+S save, Ctrl+Shift+S save as, Ctrl+W close&lt;br&gt;Ctrl+Tab next document&lt;br&gt;Ctrl++ / Ctrl+− zoom, Ctrl+0 actual size, Ctrl+wheel zoom&lt;br&gt;Page Up / Page Down, Home / End move through the pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Comments and Fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XFDF files (*.xfdf);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Comments and Fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XFDF files (*.xfdf *.xml);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” restricts what may be done with it. Changing its protection needs its permissions password first:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That is not the permissions password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permissions Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Attachments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Attachment</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::Document</name>
    <message>
        <source>The document cannot be prepared for display: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is damaged and cannot be opened (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be opened: it needs more memory than there is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create a new document: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no files to combine.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Combining was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be combined (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save &quot;%1&quot;: the document is still locked by its password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comments in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document has no comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The comments could not be summarized: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The comment is not on page %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no page %1 to bookmark.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Bookmark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename Bookmark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Bookmark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no images to make a document of.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Making the document was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image &quot;%1&quot; could not be read (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not lay out the text: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document is still locked by its password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be done: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages can only be rotated by a multiple of 90 degrees.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pages cannot be moved to page %1 of %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The step cannot be undone: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document&apos;s properties cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document&apos;s protection cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A password is at most 127 bytes long.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All pages cannot be deleted: a document keeps at least one page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a number of pages to insert (1 to 10000).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Blank Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Blank Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inserting pages was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pages could not be copied: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacing pages was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margins to crop cannot be negative.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages can be scaled by 0.1 to 10, not by %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resize Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resize Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no pages to extract.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pages could not be extracted: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept changes cannot be read (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is encrypted now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Unsaved Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no folder to write the files into.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files cannot be written into the folder &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no pages to split.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Two of the files to write have the same name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Splitting was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A watermark needs a text or an image.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Watermark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A header or footer needs a text.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Header and Footer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Watermarks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Headers and Footers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Attachment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Attachment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no bookmark at that place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Bookmark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill In Field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The form does not accept this value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form scripts could not be switched: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changing the protection needs the document&apos;s permissions password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The comments and fields could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Comments and Fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compressing was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, not a PDF file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a device, pipe or socket, not a PDF file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is not a PDF document.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is damaged and its pages cannot be used (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is protected by a password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Squiggly Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polygon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polyline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The attachment “%1” cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A bookmark needs a title.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; does not exist or cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages can be inserted before pages 1 to %1 or after the last page, not at page %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A page of %1 × %2 points cannot be made: pages are 1 to 14400 points wide and high.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; exists already. Nothing was written: choose another folder or move the file away.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A font size is 1 to 1000 points, not %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opacity is 0 to 1, not %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no image file “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is not XFDF: its first element is “%1”, not “xfdf”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is not XFDF: it holds no XML element.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is not XFDF: it is not well-formed XML (%1 at line %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 comment on page %2 has a “%3” that is not a list of numbers: “%4”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 comment on page %2 has no “%3”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 comment on page %2 has a “%3” of “%4”, which is not a number from %5 to %6.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 comment has no page number it belongs on (“%2”).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 comment belongs on page %2, but the document has %3 pages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 comment on page %2 has a colour that is none: “%3”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 comment on page %2 has no points.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Summarizing the comments was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not combine the files: the temporary file could not be written (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save &quot;%1&quot;: another program wrote over &quot;%2&quot; while it was open here, and the parts of the document that were not changed here went with it. Reload the file to see what it holds now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The comment could not be copied: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Comment</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::DocumentView</name>
    <message>
        <source>This file was damaged and has been repaired. Save it to keep the repaired version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::FileChangeBar</name>
    <message>
        <source>The file was changed on disk by another program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::FindBar</name>
    <message>
        <source>Find in document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous match (Shift+Enter, Shift+F3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next match (Enter, F3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the find bar (Escape)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No matches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find only the text as typed, capitals and all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Whole words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find the text only where it stands as words of its own</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::FormFiller</name>
    <message>
        <source>%1: signed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not signed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::HistoryPane</name>
    <message>
        <source>Undo history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opened</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::LayersPane</name>
    <message>
        <source>Layers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(unnamed layer)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document has no layers.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::OperationRegistry</name>
    <message>
        <source>The operation “%1” is not available in this version of the editor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The operation “%1” has no parameter “%2” (it takes: %3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 numbers were given; it takes a multiple of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the document has no page %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a kind of annotation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it takes four numbers: left, top, width and height, the last two above 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not above 0 and at most 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a width cannot be negative</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a font size must be above 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a line ending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only a stamp is drawn from an image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there are no files to combine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the document has no file yet, so a path to save it to is needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not 90, 180 or 270 degrees</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the document has %1 pages, so pages can go to pages 1 to %2, not %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file to take pages from is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not “neighbour” or %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not “portrait” or “landscape”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is missing: how many pages go into each file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a number of pages for each file (1 or more)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the document has no top-level outline entries that lead to the pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not “none”, “pages”, “ranges”, “count” or “outline”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pages are 1 to 14400 points wide and high, not %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not “portrait”, “landscape” or “auto”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a page is either scaled or given a size, not both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pages can be scaled by 0.1 to 10, not by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>page %1 would be larger than 14400 or smaller than 1 point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not one of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a size, a width and height, or a scale is needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is only taken with “Split” “count”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 pages of %2 can go to pages 1 to %3, not %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not “top-left”, “top”, “top-right”, “bottom-left”, “bottom” or “bottom-right”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not “center”, “tile”, “top-left”, “top”, “top-right”, “bottom-left”, “bottom” or “bottom-right”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not true or false</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a font size is 1 to 1000 points, not %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not a colour written as #rrggbb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>opacity is 0 to 1, not %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a watermark is either a text or an image, not both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no file “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an image is scaled by 0.01 to 10, not by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only an image watermark is scaled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a text or an image is needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a password is at most 127 bytes long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no document of this editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no document is open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder to write the files into is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The parameter “%1” of “%2” is not right: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is %1 to %2, not %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not one of “docx”, “odt”, “txt”, “html”, “svg”, “png” or “jpeg”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not a paper size such as “A4” or “Letter”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 points leave too little of the page, or are below 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not “lossless” or “lossy”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is only taken with “Level” “lossy”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file to write is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is the document&apos;s own file; choose another</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not “true” or “false”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there are no image files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is only taken with a “Size”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the text file is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is 4 to 72 points, not %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not “png” or “jpeg”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it needs “{n}” for the page number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not a file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file or folder to write is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - page %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a %1 file holds one page, so %2 pages need a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not one of “fields”, “comments” or “both”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file to read is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not an installed TrueType or OpenType font family</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::OutlinePane</name>
    <message>
        <source>%1 (page %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add Bookmark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::PageBox</name>
    <message>
        <source>Page number: type a page and press Enter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::PageChoiceBox</name>
    <message>
        <source>Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Current page (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Selected pages (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;All pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Odd pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Even pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pa&amp;ges:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. 1-3, 7, 10-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the pages to work on.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::PageRange</name>
    <message>
        <source>The document has no pages to choose from.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page range &quot;%1&quot; has a comma too many.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a page range. Use page numbers and ranges such as &quot;1-3,7,10-&quot;, or &quot;all&quot;, &quot;odd&quot; or &quot;even&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no page 0: pages are numbered from 1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 does not exist: the document has 1 page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 does not exist: the document has %2 pages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page range &quot;%1&quot; runs backwards.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::PageRenderer</name>
    <message>
        <source>Page %1 is damaged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 cannot be shown: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 cannot be shown: not enough memory.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::PageView</name>
    <message>
        <source>Page %1 could not be shown.
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (not opened from documents)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to page %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Highlight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stri&amp;keout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::Printing</name>
    <message>
        <source>The printer could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::PropertiesDialog</name>
    <message>
        <source>not given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Document Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Author:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Subject:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keywords:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creator:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Producer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Created:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 × %2 pt (%3 × %4 mm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not saved yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tagged:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Linearized:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encrypted:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D&amp;ocument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Embedded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fonts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::RecoveryStore</name>
    <message>
        <source>The folder &quot;%1&quot; cannot be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsaved changes cannot be kept for recovery in &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::ResizeDialog</name>
    <message>
        <source>&amp;Paper size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;cale:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resize Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> pt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As each page stands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Orientation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The content is scaled to fit and centred.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::SecurityDialog</name>
    <message>
        <source>Require a password to &amp;open the document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restrict what can be done without a permissions password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Security</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document is not protected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document is encrypted (%1)%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and opens with a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new protection is applied when the document is next saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Again:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy text and images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Annotate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fill in forms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protected documents are encrypted with AES-256 when saved. Clear both boxes to remove the protection.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::SignaturesPane</name>
    <message>
        <source>Signature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not signed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document has no signature fields.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::SplitDialog</name>
    <message>
        <source>Split Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One file for each &amp;page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At top-level &amp;bookmarks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document has no bookmarks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Split</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B&amp;rowse…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Split</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the files into the folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder for the Files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::SplitPlan</name>
    <message>
        <source>page %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pages %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pages %1-%2 (%3 pages)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::StampDialog</name>
    <message>
        <source>Centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tiled over the page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bottom centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Be&amp;hind the page&apos;s content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Header and Footer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CONFIDENTIAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page {n} of {N}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>{n}: the page&apos;s number, {N}: the last number, {date}: today, {file}: the file&apos;s name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a PNG or JPEG file instead of the text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Image:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watermark Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> pt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font &amp;size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Colour:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Opacity:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rotation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Position:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Side &amp;margin:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Top and bottom margin:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;First number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit to the page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image&apos;s size as a share of its own; at the lowest, shrunk to fit when larger than the page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image s&amp;cale:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::StampsPane</name>
    <message>
        <source>Approved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Experimental</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Approved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As Is</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expired</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not for Public Release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confidential</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Final</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Departmental</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For Comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top Secret</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For Public Release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click, then click the page to place it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Stamp…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A PNG or JPEG picture of your own</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::TextLayoutDialog</name>
    <message>
        <source>New from Text File: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> pt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font &amp;size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Margins:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Page size:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::ThumbnailModel</name>
    <message>
        <source>Page %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::ThumbnailPane</name>
    <message>
        <source>Page thumbnails</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::WriteProgress</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing “%1” (%2 of %3)…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pxv::ZoomBox</name>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit Page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
<context>
    <name>CPXVControl</name>
    <message>
        <source>Summarize Comments</source>
        <translation>汇总注释</translation>
    </message>
    <message>
        <source> (the file has changed since: its changes are restored into a copy next to it)</source>
        <translation>（此后文件已被修改：其更改将恢复到旁边的副本中）</translation>
    </message>
    <message>
        <source>%1 (never saved), changed %2</source>
        <translation>%1（从未保存），修改于 %2</translation>
    </message>
    <message>
        <source>%1 (not saved yet)</source>
        <translation>%1（尚未保存）</translation>
    </message>
    <message>
        <source>%1 in %2, changed %3</source>
        <translation>%1（位于 %2），修改于 %3</translation>
    </message>
    <message>
        <source>%1 is not the id of an event.</source>
        <translation>%1 不是事件的标识。</translation>
    </message>
    <message>
        <source>&amp;Document</source>
        <translation>文档(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>转到(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Pages</source>
        <translation>页面(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>重做%1(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>撤销%1(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>A copy of “%1” cannot be made next to it.</source>
        <translation>无法在“%1”旁边创建副本。</translation>
    </message>
    <message>
        <source>C&amp;omment</source>
        <translation>注释(&amp;O)</translation>
    </message>
    <message>
        <source>Close %1</source>
        <translation>关闭 %1</translation>
    </message>
    <message>
        <source>Comments of kinds the editor cannot add, left out: %1.</source>
        <translation>编辑器无法添加的注释类型已略过：%1。</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>压缩</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>转换</translation>
    </message>
    <message>
        <source>Fields the document does not have, left out: %1.</source>
        <translation>文档中不存在的字段已略过：%1。</translation>
    </message>
    <message>
        <source>Fo&amp;rm</source>
        <translation>表单(&amp;R)</translation>
    </message>
    <message>
        <source>Form fields filled: %1. Comments added: %2.</source>
        <translation>已填写表单字段：%1。已添加注释：%2。</translation>
    </message>
    <message>
        <source>Kept changes in “%1” cannot be read (%2); the file was moved to “%3”.</source>
        <translation>无法读取“%1”中保留的更改（%2）；该文件已移至“%3”。</translation>
    </message>
    <message>
        <source>No file name was given to open.</source>
        <translation>未指定要打开的文件名。</translation>
    </message>
    <message>
        <source>Open a PDF</source>
        <translation>打开 PDF</translation>
    </message>
    <message>
        <source>Open a document, combine several files into one, or start with a blank page.</source>
        <translation>打开文档、将多个文件合并为一个，或从空白页开始。</translation>
    </message>
    <message>
        <source>Presentations cannot be written here; the pages come out as a Word document.</source>
        <translation>此处无法生成演示文稿；页面将输出为 Word 文档。</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Split Document</source>
        <translation>拆分文档</translation>
    </message>
    <message>
        <source>Spreadsheets cannot be written here; the pages come out as a Word document.</source>
        <translation>此处无法生成电子表格；页面将输出为 Word 文档。</translation>
    </message>
    <message>
        <source>The document was not made by this editor.</source>
        <translation>该文档不是由本编辑器创建的。</translation>
    </message>
    <message>
        <source>recovered</source>
        <translation>已恢复</translation>
    </message>
    <message>
        <source>recovered %1</source>
        <translation>已恢复 %1</translation>
    </message>
    <message>
        <source>“%1” cannot be opened: %2</source>
        <translation>无法打开“%1”：%2</translation>
    </message>
    <message>
        <source>“%1” could not be saved: %2</source>
        <translation>无法保存“%1”：%2</translation>
    </message>
    <message>
        <source>“%1” no longer exists, so its changes cannot be restored.</source>
        <translation>“%1”已不存在，无法恢复其更改。</translation>
    </message>
    <message>
        <source>“%1” was written: %2, before %3.</source>
        <translation>已写入“%1”：%2，原为 %3。</translation>
    </message>
    <message>
        <source>“%1” was written: %2.</source>
        <translation>已写入“%1”：%2。</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Insert Pages from File</source>
        <translation>从文件插入页面</translation>
    </message>
</context>
<context>
    <name>CPXVInst</name>
    <message>
        <source>%1 is not the id of an operation.</source>
        <translation>%1 不是操作的标识。</translation>
    </message>
    <message>
        <source>Another combine is still running.</source>
        <translation>另一个合并任务仍在进行中。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Combine</source>
        <translation>合并</translation>
    </message>
    <message>
        <source>Combining was cancelled.</source>
        <translation>合并已取消。</translation>
    </message>
    <message>
        <source>Combining “%1” (%2 of %3)…</source>
        <translation>正在合并“%1”（第 %2 个，共 %3 个）…</translation>
    </message>
    <message>
        <source>Combining…</source>
        <translation>正在合并…</translation>
    </message>
    <message>
        <source>The editor has no extension named “%1”.</source>
        <translation>编辑器中没有名为“%1”的扩展。</translation>
    </message>
    <message>
        <source>The editor has no preference %1.</source>
        <translation>编辑器中没有首选项 %1。</translation>
    </message>
    <message>
        <source>The editor knows no command, pane, operation or event named “%1”.</source>
        <translation>编辑器中没有名为“%1”的命令、窗格、操作或事件。</translation>
    </message>
    <message>
        <source>The operation was not made by this editor.</source>
        <translation>该操作不是由本编辑器创建的。</translation>
    </message>
    <message>
        <source>There are no files to combine.</source>
        <translation>没有要合并的文件。</translation>
    </message>
    <message>
        <source>“%1” is not a command.</source>
        <translation>“%1”不是命令。</translation>
    </message>
</context>
<context>
    <name>QAboutDialog</name>
    <message>
        <source>About %1</source>
        <translation>关于 %1</translation>
    </message>
    <message>
        <source>Built on %1</source>
        <translation>构建于 %1</translation>
    </message>
    <message>
        <source>Licence: GNU Affero General Public License, version 3 or later (AGPL-3.0-or-later)</source>
        <translation>许可证：GNU Affero 通用公共许可证第 3 版或更高版本（AGPL-3.0-or-later）</translation>
    </message>
    <message>
        <source>Qt %1, MuPDF %2, SQLite %3</source>
        <translation>Qt %1、MuPDF %2、SQLite %3</translation>
    </message>
    <message>
        <source>Read the licence</source>
        <translation>阅读许可证</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>版本 %1</translation>
    </message>
</context>
<context>
    <name>QCommonMethod</name>
    <message>
        <source>No program is set up to open this page:
%1</source>
        <translation>没有设置用于打开此页面的程序：
%1</translation>
    </message>
    <message>
        <source>The conversion tools are separate products, and there is no page for %1 here.</source>
        <translation>转换工具是独立的产品，此处没有%1的页面。</translation>
    </message>
    <message>
        <source>The page is not installed. It was expected at:
%1</source>
        <translation>此页面未安装。预期位置：
%1</translation>
    </message>
    <message>
        <source>Vellumpad has no web site; this page is not available.</source>
        <translation>Vellumpad 没有网站，此页面不可用。</translation>
    </message>
    <message>
        <source>the CAD converter</source>
        <translation>CAD 转换器</translation>
    </message>
    <message>
        <source>the PDF converter</source>
        <translation>PDF 转换器</translation>
    </message>
</context>
<context>
    <name>QFloatExWidget</name>
    <message>
        <source>PDF转CAD</source>
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
        <source>PDF转Word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF转图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QFloatExWidget</source>
        <translation>QFloatExWidget</translation>
    </message>
</context>
<context>
    <name>QHomeWidget</name>
    <message>
        <source>PDF文件压缩</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF格式转换</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QHomeWidget</source>
        <translation>QHomeWidget</translation>
    </message>
    <message>
        <source>创建PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>合并PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>将PDF转换为Word，PPT，Excel等文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>将多个文件合并为一个PDF文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开PDF文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>推荐</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>支持PDF压缩，以及视频、图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新建一个空白的PDF文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法清空最近编辑列表。</source>
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
        <source>点击登录</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QItemFileWidget</name>
    <message>
        <source>QItemFileWidget</source>
        <translation>QItemFileWidget</translation>
    </message>
    <message>
        <source>从列表中移除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件不存在！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测试.pdf</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QMainWidget</name>
    <message>
        <source>Register</source>
        <translation>注册</translation>
    </message>
    <message>
        <source>产品官网</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关于我们</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>创建空白文档异常！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初始化activeX控件异常！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初始化com组件异常，可能未注册！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>帮助中心</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最大化</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最小化</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检查更新</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>还原</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QMainWidgetClass</name>
    <message>
        <source>QMainWidget</source>
        <translation>QMainWidget</translation>
    </message>
    <message>
        <source>客服</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登录</source>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>软件已启动，请勿重复运行！</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSignInDialog</name>
    <message>
        <source>Avatar:</source>
        <translation>头像：</translation>
    </message>
    <message>
        <source>Choose an avatar image</source>
        <translation>选择头像图片</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>选择…</translation>
    </message>
    <message>
        <source>Display name:</source>
        <translation>显示名称：</translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation>图片 (%1)</translation>
    </message>
    <message>
        <source>No image</source>
        <translation>无图片</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>This file is not an image that can be read:
%1</source>
        <translation>此文件不是可读取的图片：
%1</translation>
    </message>
    <message>
        <source>Your account could not be saved in the application data folder.</source>
        <translation>无法将您的账户保存到应用程序数据文件夹。</translation>
    </message>
    <message>
        <source>Your account stays on this computer; nothing is sent anywhere.</source>
        <translation>您的账户只保存在这台计算机上，不会发送到任何地方。</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>您的名字</translation>
    </message>
</context>
<context>
    <name>QUserHelp</name>
    <message>
        <source>No update service is configured for this installation. Updates arrive through your system&apos;s package manager.</source>
        <translation>此安装未配置更新服务。更新将通过系统的软件包管理器提供。</translation>
    </message>
    <message>
        <source>There is no customer service for this installation.</source>
        <translation>此安装没有客户服务。</translation>
    </message>
</context>
<context>
    <name>QUserPanel</name>
    <message>
        <source>Sign out</source>
        <translation>退出登录</translation>
    </message>
</context>
<context>
    <name>pxv::ActionSet</name>
    <message>
        <source>St&amp;amps</source>
        <translation>图章(&amp;A)</translation>
    </message>
    <message>
        <source>Co&amp;mment Toolbar</source>
        <translation>注释工具栏(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>实际大小(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Arrow</source>
        <translation>箭头(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Attachments</source>
        <translation>附件(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Combine Files…</source>
        <translation>合并文件(&amp;C)…</translation>
    </message>
    <message>
        <source>&amp;Comments</source>
        <translation>注释列表(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Crop Pages…</source>
        <translation>裁剪页面(&amp;C)…</translation>
    </message>
    <message>
        <source>&amp;Delete Pages</source>
        <translation>删除页面(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Ellipse</source>
        <translation>椭圆(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Find…</source>
        <translation>查找(&amp;F)…</translation>
    </message>
    <message>
        <source>&amp;First Page</source>
        <translation>第一页(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Header and Footer…</source>
        <translation>页眉和页脚(&amp;H)…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Highlight</source>
        <translation>高亮(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Highlight Fields</source>
        <translation>突出显示字段(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Image Stamp…</source>
        <translation>图像图章(&amp;I)…</translation>
    </message>
    <message>
        <source>&amp;Import Comments and Fields…</source>
        <translation>导入注释和字段(&amp;I)…</translation>
    </message>
    <message>
        <source>&amp;Insert Pages from File…</source>
        <translation>从文件插入页面(&amp;I)…</translation>
    </message>
    <message>
        <source>&amp;Last Page</source>
        <translation>最后一页(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Layers</source>
        <translation>图层(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Line</source>
        <translation>直线(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;New Blank Document</source>
        <translation>新建空白文档(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation>下一页(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>打开(&amp;O)…</translation>
    </message>
    <message>
        <source>&amp;Outline</source>
        <translation>书签(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Pen</source>
        <translation>铅笔(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>打印(&amp;P)…</translation>
    </message>
    <message>
        <source>&amp;Properties…</source>
        <translation>文档属性(&amp;P)…</translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation>矩形(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Reset Form</source>
        <translation>重置表单(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Security…</source>
        <translation>安全性(&amp;S)…</translation>
    </message>
    <message>
        <source>&amp;Select Text and Comments</source>
        <translation>选择文本和注释(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Stamp</source>
        <translation>图章(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Text Box</source>
        <translation>文本框(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>下划线(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Watermark…</source>
        <translation>水印(&amp;W)…</translation>
    </message>
    <message>
        <source>Add &amp;Bookmark</source>
        <translation>添加书签(&amp;B)</translation>
    </message>
    <message>
        <source>Co&amp;mpress…</source>
        <translation>压缩(&amp;M)…</translation>
    </message>
    <message>
        <source>Con&amp;vert…</source>
        <translation>转换(&amp;V)…</translation>
    </message>
    <message>
        <source>Convert for a Presentation…</source>
        <translation>转换为 PPT 演示文稿…</translation>
    </message>
    <message>
        <source>Convert for a Spreadsheet…</source>
        <translation>转换为 Excel 表格…</translation>
    </message>
    <message>
        <source>Convert to Drawings…</source>
        <translation>转换为 CAD 图纸…</translation>
    </message>
    <message>
        <source>Convert to Images…</source>
        <translation>转换为图片…</translation>
    </message>
    <message>
        <source>Convert to Word…</source>
        <translation>转换为 Word…</translation>
    </message>
    <message>
        <source>E&amp;xport Comments and Fields…</source>
        <translation>导出注释和字段(&amp;X)…</translation>
    </message>
    <message>
        <source>E&amp;xtract Pages</source>
        <translation>提取页面(&amp;X)</translation>
    </message>
    <message>
        <source>Fit &amp;Page</source>
        <translation>适合页面(&amp;P)</translation>
    </message>
    <message>
        <source>Fit &amp;Width</source>
        <translation>适合宽度(&amp;W)</translation>
    </message>
    <message>
        <source>Insert &amp;Blank Page</source>
        <translation>插入空白页(&amp;B)</translation>
    </message>
    <message>
        <source>New from &amp;Images…</source>
        <translation>从图片新建(&amp;I)…</translation>
    </message>
    <message>
        <source>New from &amp;Text File…</source>
        <translation>从文本文件新建(&amp;T)…</translation>
    </message>
    <message>
        <source>Next Document</source>
        <translation>下一个文档</translation>
    </message>
    <message>
        <source>P&amp;olyline</source>
        <translation>折线(&amp;O)</translation>
    </message>
    <message>
        <source>P&amp;revious Page</source>
        <translation>上一页(&amp;R)</translation>
    </message>
    <message>
        <source>Page &amp;Thumbnails</source>
        <translation>页面缩略图(&amp;T)</translation>
    </message>
    <message>
        <source>Pol&amp;ygon</source>
        <translation>多边形(&amp;Y)</translation>
    </message>
    <message>
        <source>Previous Document</source>
        <translation>上一个文档</translation>
    </message>
    <message>
        <source>Remove &amp;Watermarks</source>
        <translation>删除水印(&amp;W)</translation>
    </message>
    <message>
        <source>Remove H&amp;eaders and Footers</source>
        <translation>删除页眉和页脚(&amp;E)</translation>
    </message>
    <message>
        <source>Resi&amp;ze Pages…</source>
        <translation>调整页面大小(&amp;Z)…</translation>
    </message>
    <message>
        <source>Rotate Page &amp;Left</source>
        <translation>向左旋转页面(&amp;L)</translation>
    </message>
    <message>
        <source>Rotate Page &amp;Right</source>
        <translation>向右旋转页面(&amp;R)</translation>
    </message>
    <message>
        <source>Run Form &amp;Scripts</source>
        <translation>运行表单脚本(&amp;S)</translation>
    </message>
    <message>
        <source>S&amp;plit Document…</source>
        <translation>拆分文档(&amp;P)…</translation>
    </message>
    <message>
        <source>S&amp;quiggly Underline</source>
        <translation>波浪下划线(&amp;Q)</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>另存为(&amp;A)…</translation>
    </message>
    <message>
        <source>Si&amp;gnatures</source>
        <translation>签名(&amp;G)</translation>
    </message>
    <message>
        <source>Sticky &amp;Note</source>
        <translation>附注(&amp;N)</translation>
    </message>
    <message>
        <source>Stri&amp;keout</source>
        <translation>删除线(&amp;K)</translation>
    </message>
    <message>
        <source>Su&amp;mmarize Comments</source>
        <translation>汇总注释(&amp;M)</translation>
    </message>
    <message>
        <source>Undo &amp;History</source>
        <translation>撤销历史记录(&amp;H)</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>放大(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>缩小(&amp;O)</translation>
    </message>
    <message>
        <source>Comment St&amp;yles</source>
        <translation>注释样式(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>后退(&amp;B)</translation>
    </message>
    <message>
        <source>For&amp;ward</source>
        <translation>前进(&amp;W)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
</context>
<context>
    <name>pxv::AnnotationBar</name>
    <message>
        <source> pt</source>
        <translation> 磅</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>黑色</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Comment text</source>
        <translation>注释文本</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>填充</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>字号</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>不透明度</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黄色</translation>
    </message>
</context>
<context>
    <name>pxv::AttachmentsPane</name>
    <message>
        <source>%1, changed %2</source>
        <translation>%1，修改于 %2</translation>
    </message>
    <message>
        <source>Add…</source>
        <translation>添加…</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>说明</translation>
    </message>
    <message>
        <source>Embed files in the document</source>
        <translation>将文件嵌入文档</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>No program could be started to open “%1”.</source>
        <translation>无法启动程序打开“%1”。</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Open with the program for its type</source>
        <translation>用该类型文件的默认程序打开</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Remove the file from the document</source>
        <translation>从文档中移除该文件</translation>
    </message>
    <message>
        <source>Save a copy of the file</source>
        <translation>保存该文件的副本</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>保存…</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>There is no temporary folder to open “%1” from.</source>
        <translation>没有可用于打开“%1”的临时文件夹。</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>无法读取</translation>
    </message>
    <message>
        <source>“%1” could not be written: %2</source>
        <translation>无法写入“%1”：%2</translation>
    </message>
</context>
<context>
    <name>pxv::CombineDialog</name>
    <message>
        <source>&amp;Add…</source>
        <translation>添加(&amp;A)…</translation>
    </message>
    <message>
        <source>&amp;Combine</source>
        <translation>合并(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Page size:</source>
        <translation>页面大小(&amp;P)：</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>移除(&amp;R)</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>添加文件</translation>
    </message>
    <message>
        <source>C&amp;reate</source>
        <translation>创建(&amp;R)</translation>
    </message>
    <message>
        <source>Combine Files</source>
        <translation>合并文件</translation>
    </message>
    <message>
        <source>Each of these images, in this order, makes a page of the new document:</source>
        <translation>以下每张图像按此顺序各成为新文档的一页：</translation>
    </message>
    <message>
        <source>Fitted to A4, with a margin</source>
        <translation>适合 A4，留边距</translation>
    </message>
    <message>
        <source>Fitted to Letter, with a margin</source>
        <translation>适合 Letter，留边距</translation>
    </message>
    <message>
        <source>Images (*.jpg *.jpeg *.png *.tif *.tiff *.JPG *.JPEG *.PNG *.TIF *.TIFF)</source>
        <translation>图像 (*.jpg *.jpeg *.png *.tif *.tiff *.JPG *.JPEG *.PNG *.TIF *.TIFF)</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>下移(&amp;D)</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>上移(&amp;U)</translation>
    </message>
    <message>
        <source>New from Images</source>
        <translation>从图片新建</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf *.PDF);;All files (*)</source>
        <translation>PDF 文档 (*.pdf *.PDF);;所有文件 (*)</translation>
    </message>
    <message>
        <source>The image&apos;s own size (from its resolution)</source>
        <translation>图像自身大小（按其分辨率）</translation>
    </message>
    <message>
        <source>The pages of these files, in this order, make the new document:</source>
        <translation>以下文件的页面将按此顺序组成新文档：</translation>
    </message>
</context>
<context>
    <name>pxv::CommentStylesPane</name>
    <message>
        <source>Highlight</source>
        <translation>高亮</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下划线</translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation>删除线</translation>
    </message>
    <message>
        <source>Squiggly</source>
        <translation>波浪线</translation>
    </message>
    <message>
        <source>Sticky Note</source>
        <translation>附注</translation>
    </message>
    <message>
        <source>Text Box</source>
        <translation>文本框</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>铅笔</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直线</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>箭头</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>椭圆</translation>
    </message>
    <message>
        <source>Polygon</source>
        <translation>多边形</translation>
    </message>
    <message>
        <source>Polyline</source>
        <translation>折线</translation>
    </message>
    <message>
        <source>Stamp</source>
        <translation>图章</translation>
    </message>
    <message>
        <source>The look the next one gets; double-click to choose its colour</source>
        <translation>下一个此类注释的样式；双击选择颜色</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>选择…</translation>
    </message>
    <message>
        <source>Apply to Selected</source>
        <translation>应用到所选注释</translation>
    </message>
    <message>
        <source>Give the selected comment this look</source>
        <translation>让所选注释使用此样式</translation>
    </message>
    <message>
        <source>Use Selected</source>
        <translation>采用所选注释</translation>
    </message>
    <message>
        <source>New comments of the selected comment&apos;s kind look like it</source>
        <translation>同类新注释与所选注释样式相同</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Back to this kind&apos;s built-in look</source>
        <translation>恢复此类注释的内置样式</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>填充</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>不透明度</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>线宽</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>字号</translation>
    </message>
    <message>
        <source>Colour of New Comments: %1</source>
        <translation>新注释的颜色：%1</translation>
    </message>
</context>
<context>
    <name>pxv::CommentsPane</name>
    <message>
        <source>All comments</source>
        <translation>全部注释</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>箭头</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>作者</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>注释</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>绘图</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>椭圆</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>高亮</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直线</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>附注</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>第 %1 页</translation>
    </message>
    <message>
        <source>Polygon</source>
        <translation>多边形</translation>
    </message>
    <message>
        <source>Polyline</source>
        <translation>折线</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>Squiggly</source>
        <translation>波浪线</translation>
    </message>
    <message>
        <source>Stamp</source>
        <translation>图章</translation>
    </message>
    <message>
        <source>Stamp: %1</source>
        <translation>图章：%1</translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation>删除线</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>内容</translation>
    </message>
    <message>
        <source>Text box</source>
        <translation>文本框</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下划线</translation>
    </message>
</context>
<context>
    <name>pxv::CompressDialog</name>
    <message>
        <source> dpi</source>
        <translation> dpi</translation>
    </message>
    <message>
        <source>%1 (compressed).pdf</source>
        <translation>%1（已压缩）.pdf</translation>
    </message>
    <message>
        <source>&amp;Lossless: drop unused data and compress what is left</source>
        <translation>无损(&amp;L)：删除未使用的数据并压缩其余内容</translation>
    </message>
    <message>
        <source>&amp;Quality:</source>
        <translation>质量(&amp;Q)：</translation>
    </message>
    <message>
        <source>&amp;Resolution:</source>
        <translation>分辨率(&amp;R)：</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>压缩</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>PDF 文档 (*.pdf)</translation>
    </message>
    <message>
        <source>Save Compressed Copy</source>
        <translation>保存压缩副本</translation>
    </message>
    <message>
        <source>Size now:</source>
        <translation>当前大小：</translation>
    </message>
    <message>
        <source>Smaller &amp;images: lower their resolution and store them as JPEG</source>
        <translation>缩小图片(&amp;I)：降低图片分辨率并以 JPEG 格式存储</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>无标题</translation>
    </message>
    <message>
        <source>not saved yet</source>
        <translation>尚未保存</translation>
    </message>
</context>
<context>
    <name>pxv::ConvertDialog</name>
    <message>
        <source> dpi</source>
        <translation> dpi</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>格式(&amp;F)：</translation>
    </message>
    <message>
        <source>&amp;Resolution:</source>
        <translation>分辨率(&amp;R)：</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>转换</translation>
    </message>
    <message>
        <source>Convert into Folder</source>
        <translation>转换到文件夹</translation>
    </message>
    <message>
        <source>Convert to File</source>
        <translation>转换为文件</translation>
    </message>
    <message>
        <source>Drawing (.svg)</source>
        <translation>矢量图 (.svg)</translation>
    </message>
    <message>
        <source>JPEG image (.jpg)</source>
        <translation>JPEG 图片 (.jpg)</translation>
    </message>
    <message>
        <source>One file per page, into a &amp;folder</source>
        <translation>每页一个文件，保存到文件夹(&amp;F)</translation>
    </message>
    <message>
        <source>OpenDocument text (.odt)</source>
        <translation>OpenDocument 文本 (.odt)</translation>
    </message>
    <message>
        <source>PNG image (.png)</source>
        <translation>PNG 图片 (.png)</translation>
    </message>
    <message>
        <source>Plain text (.txt)</source>
        <translation>纯文本 (.txt)</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>无标题</translation>
    </message>
    <message>
        <source>Web page (.html)</source>
        <translation>网页 (.html)</translation>
    </message>
    <message>
        <source>Word document (.docx)</source>
        <translation>Word 文档 (.docx)</translation>
    </message>
</context>
<context>
    <name>pxv::CropDialog</name>
    <message>
        <source> pt</source>
        <translation> 磅</translation>
    </message>
    <message>
        <source>&amp;Bottom:</source>
        <translation>下(&amp;B)：</translation>
    </message>
    <message>
        <source>&amp;Left:</source>
        <translation>左(&amp;L)：</translation>
    </message>
    <message>
        <source>&amp;Right:</source>
        <translation>右(&amp;R)：</translation>
    </message>
    <message>
        <source>&amp;Top:</source>
        <translation>上(&amp;T)：</translation>
    </message>
    <message>
        <source>Crop Pages</source>
        <translation>裁剪页面</translation>
    </message>
    <message>
        <source>Margins</source>
        <translation>边距</translation>
    </message>
</context>
<context>
    <name>pxv::CropPreview</name>
    <message>
        <source>Drag a rectangle over the page to choose the area to keep.</source>
        <translation>在页面上拖出一个矩形，选择要保留的区域。</translation>
    </message>
</context>
<context>
    <name>pxv::DialogLayouts</name>
    <message>
        <source>&amp;Browse…</source>
        <translation>浏览(&amp;B)…</translation>
    </message>
    <message>
        <source>&amp;Save to:</source>
        <translation>保存到(&amp;S)：</translation>
    </message>
</context>
<context>
    <name>pxv::DialogProvider</name>
    <message>
        <source>&amp;Actual size</source>
        <translation>实际大小(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>放弃(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Fit to paper</source>
        <translation>适合纸张(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Later</source>
        <translation>稍后(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>恢复(&amp;R)</translation>
    </message>
    <message>
        <source>&lt;b&gt;Keyboard&lt;/b&gt;&lt;br&gt;Ctrl+O open, Ctrl+S save, Ctrl+Shift+S save as, Ctrl+W close&lt;br&gt;Ctrl+Tab next document&lt;br&gt;Ctrl++ / Ctrl+− zoom, Ctrl+0 actual size, Ctrl+wheel zoom&lt;br&gt;Page Up / Page Down, Home / End move through the pages</source>
        <translation>&lt;b&gt;键盘快捷键&lt;/b&gt;&lt;br&gt;Ctrl+O 打开，Ctrl+S 保存，Ctrl+Shift+S 另存为，Ctrl+W 关闭&lt;br&gt;Ctrl+Tab 下一个文档&lt;br&gt;Ctrl++ / Ctrl+− 缩放，Ctrl+0 实际大小，Ctrl+滚轮 缩放&lt;br&gt;Page Up / Page Down、Home / End 翻阅页面</translation>
    </message>
    <message>
        <source>Add Attachments</source>
        <translation>添加附件</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Export Comments and Fields</source>
        <translation>导出注释和字段</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Image Stamp</source>
        <translation>图像图章</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg)</source>
        <translation>图片 (*.png *.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Import Comments and Fields</source>
        <translation>导入注释和字段</translation>
    </message>
    <message>
        <source>New from Text File</source>
        <translation>从文本文件新建</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf *.PDF);;All files (*)</source>
        <translation>PDF 文档 (*.pdf *.PDF);;所有文件 (*)</translation>
    </message>
    <message>
        <source>PDF editor</source>
        <translation>PDF 编辑器</translation>
    </message>
    <message>
        <source>Page Sizing</source>
        <translation>页面缩放</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Permissions Password</source>
        <translation>权限密码</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>重新加载</translation>
    </message>
    <message>
        <source>Restore Unsaved Changes</source>
        <translation>恢复未保存的更改</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Save Attachment</source>
        <translation>保存附件</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>文本文件 (*.txt);;所有文件 (*)</translation>
    </message>
    <message>
        <source>That is not the permissions password.</source>
        <translation>这不是权限密码。</translation>
    </message>
    <message>
        <source>The editor ended before these documents were saved. Restore their changes?</source>
        <translation>编辑器在保存这些文档之前意外退出。是否恢复它们的更改？</translation>
    </message>
    <message>
        <source>The password is not correct.</source>
        <translation>密码不正确。</translation>
    </message>
    <message>
        <source>XFDF files (*.xfdf *.xml);;All files (*)</source>
        <translation>XFDF 文件 (*.xfdf *.xml);;所有文件 (*)</translation>
    </message>
    <message>
        <source>XFDF files (*.xfdf);;All files (*)</source>
        <translation>XFDF 文件 (*.xfdf);;所有文件 (*)</translation>
    </message>
    <message>
        <source>“%1” has unsaved changes. Reload it from the file and lose them?</source>
        <translation>“%1”有未保存的更改。是否从文件重新加载并放弃这些更改？</translation>
    </message>
    <message>
        <source>“%1” has unsaved changes. Save them before closing?</source>
        <translation>“%1”有未保存的更改。是否在关闭前保存？</translation>
    </message>
    <message>
        <source>“%1” is protected. Enter its password:</source>
        <translation>“%1”受密码保护。请输入密码：</translation>
    </message>
    <message>
        <source>“%1” restricts what may be done with it. Changing its protection needs its permissions password first:</source>
        <translation>“%1”限制了可执行的操作。更改其保护前需要先输入权限密码：</translation>
    </message>
</context>
<context>
    <name>pxv::Document</name>
    <message>
        <source>Summarizing the comments was cancelled.</source>
        <translation>已取消汇总注释。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a device, pipe or socket, not a PDF file.</source>
        <translation>“%1”是设备、管道或套接字，不是 PDF 文件。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, not a PDF file.</source>
        <translation>“%1”是文件夹，不是 PDF 文件。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file name.</source>
        <translation>“%1”不是文件名。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder.</source>
        <translation>“%1”不是文件夹。</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 could not be done: %2</source>
        <translation>无法完成%1：%2</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>%1 is not a number of pages to insert (1 to 10000).</source>
        <translation>%1 不是有效的插入页数（1 至 10000）。</translation>
    </message>
    <message>
        <source>A bookmark needs a title.</source>
        <translation>书签需要标题。</translation>
    </message>
    <message>
        <source>A font size is 1 to 1000 points, not %1.</source>
        <translation>字号应为 1 至 1000 磅，而不是 %1。</translation>
    </message>
    <message>
        <source>A header or footer needs a text.</source>
        <translation>页眉或页脚需要文本。</translation>
    </message>
    <message>
        <source>A page of %1 × %2 points cannot be made: pages are 1 to 14400 points wide and high.</source>
        <translation>无法创建 %1 × %2 磅的页面：页面的宽度和高度应为 1 至 14400 磅。</translation>
    </message>
    <message>
        <source>A password is at most 127 bytes long.</source>
        <translation>密码最长为 127 字节。</translation>
    </message>
    <message>
        <source>A watermark needs a text or an image.</source>
        <translation>水印需要文本或图片。</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>添加%1</translation>
    </message>
    <message>
        <source>Add Attachment</source>
        <translation>添加附件</translation>
    </message>
    <message>
        <source>Add Bookmark</source>
        <translation>添加书签</translation>
    </message>
    <message>
        <source>Add Header and Footer</source>
        <translation>添加页眉和页脚</translation>
    </message>
    <message>
        <source>Add Watermark</source>
        <translation>添加水印</translation>
    </message>
    <message>
        <source>All pages cannot be deleted: a document keeps at least one page.</source>
        <translation>不能删除所有页面：文档至少要保留一页。</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>更改%1</translation>
    </message>
    <message>
        <source>Changing the protection needs the document&apos;s permissions password.</source>
        <translation>更改保护需要文档的权限密码。</translation>
    </message>
    <message>
        <source>Combining was cancelled.</source>
        <translation>合并已取消。</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>注释</translation>
    </message>
    <message>
        <source>Comments in %1</source>
        <translation>%1 中的注释</translation>
    </message>
    <message>
        <source>Compressing was cancelled.</source>
        <translation>压缩已取消。</translation>
    </message>
    <message>
        <source>Could not create a new document: %1</source>
        <translation>无法创建新文档：%1</translation>
    </message>
    <message>
        <source>Could not lay out the text: %1</source>
        <translation>无法排版文本：%1</translation>
    </message>
    <message>
        <source>Could not save &quot;%1&quot;: %2</source>
        <translation>无法保存“%1”：%2</translation>
    </message>
    <message>
        <source>Could not save &quot;%1&quot;: the document is still locked by its password.</source>
        <translation>无法保存“%1”：文档仍被其密码锁定。</translation>
    </message>
    <message>
        <source>Crop Page</source>
        <translation>裁剪页面</translation>
    </message>
    <message>
        <source>Crop Pages</source>
        <translation>裁剪页面</translation>
    </message>
    <message>
        <source>Delete Bookmark</source>
        <translation>删除书签</translation>
    </message>
    <message>
        <source>Delete Comment</source>
        <translation>删除注释</translation>
    </message>
    <message>
        <source>Delete Page</source>
        <translation>删除页面</translation>
    </message>
    <message>
        <source>Delete Pages</source>
        <translation>删除页面</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>绘图</translation>
    </message>
    <message>
        <source>Edit Properties</source>
        <translation>编辑属性</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>椭圆</translation>
    </message>
    <message>
        <source>Exporting was cancelled.</source>
        <translation>导出已取消。</translation>
    </message>
    <message>
        <source>Files cannot be written into the folder &quot;%1&quot;.</source>
        <translation>无法将文件写入文件夹“%1”。</translation>
    </message>
    <message>
        <source>Fill In Field</source>
        <translation>填写字段</translation>
    </message>
    <message>
        <source>Form scripts could not be switched: %1</source>
        <translation>无法切换表单脚本：%1</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>高亮</translation>
    </message>
    <message>
        <source>Import Comments and Fields</source>
        <translation>导入注释和字段</translation>
    </message>
    <message>
        <source>Insert Blank Page</source>
        <translation>插入空白页</translation>
    </message>
    <message>
        <source>Insert Blank Pages</source>
        <translation>插入空白页</translation>
    </message>
    <message>
        <source>Insert Page</source>
        <translation>插入页面</translation>
    </message>
    <message>
        <source>Insert Pages</source>
        <translation>插入页面</translation>
    </message>
    <message>
        <source>Inserting pages was cancelled.</source>
        <translation>插入页面已取消。</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直线</translation>
    </message>
    <message>
        <source>Making the document was cancelled.</source>
        <translation>文档创建已取消。</translation>
    </message>
    <message>
        <source>Margins to crop cannot be negative.</source>
        <translation>裁剪边距不能为负数。</translation>
    </message>
    <message>
        <source>Move %1</source>
        <translation>移动%1</translation>
    </message>
    <message>
        <source>Move Bookmark</source>
        <translation>移动书签</translation>
    </message>
    <message>
        <source>Move Page</source>
        <translation>移动页面</translation>
    </message>
    <message>
        <source>Move Pages</source>
        <translation>移动页面</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>附注</translation>
    </message>
    <message>
        <source>Opacity is 0 to 1, not %1.</source>
        <translation>不透明度应为 0 至 1，而不是 %1。</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>第 %1 页</translation>
    </message>
    <message>
        <source>Page %1 does not exist.</source>
        <translation>第 %1 页不存在。</translation>
    </message>
    <message>
        <source>Pages can be inserted before pages 1 to %1 or after the last page, not at page %2.</source>
        <translation>页面只能插入到第 1 至 %1 页之前或最后一页之后，不能插入到第 %2 页。</translation>
    </message>
    <message>
        <source>Pages can be scaled by 0.1 to 10, not by %1.</source>
        <translation>页面的缩放比例应为 0.1 至 10，而不是 %1。</translation>
    </message>
    <message>
        <source>Pages can only be rotated by a multiple of 90 degrees.</source>
        <translation>页面只能按 90 度的倍数旋转。</translation>
    </message>
    <message>
        <source>Polygon</source>
        <translation>多边形</translation>
    </message>
    <message>
        <source>Polyline</source>
        <translation>折线</translation>
    </message>
    <message>
        <source>Printing was cancelled.</source>
        <translation>打印已取消。</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>Remove Attachment</source>
        <translation>移除附件</translation>
    </message>
    <message>
        <source>Remove Headers and Footers</source>
        <translation>删除页眉和页脚</translation>
    </message>
    <message>
        <source>Remove Watermarks</source>
        <translation>删除水印</translation>
    </message>
    <message>
        <source>Rename Bookmark</source>
        <translation>重命名书签</translation>
    </message>
    <message>
        <source>Replace Page</source>
        <translation>替换页面</translation>
    </message>
    <message>
        <source>Replace Pages</source>
        <translation>替换页面</translation>
    </message>
    <message>
        <source>Replacing pages was cancelled.</source>
        <translation>替换页面已取消。</translation>
    </message>
    <message>
        <source>Reset Form</source>
        <translation>重置表单</translation>
    </message>
    <message>
        <source>Resize Page</source>
        <translation>调整页面大小</translation>
    </message>
    <message>
        <source>Resize Pages</source>
        <translation>调整页面大小</translation>
    </message>
    <message>
        <source>Restore Unsaved Changes</source>
        <translation>恢复未保存的更改</translation>
    </message>
    <message>
        <source>Rotate Page</source>
        <translation>旋转页面</translation>
    </message>
    <message>
        <source>Rotate Pages</source>
        <translation>旋转页面</translation>
    </message>
    <message>
        <source>Splitting was cancelled.</source>
        <translation>拆分已取消。</translation>
    </message>
    <message>
        <source>Squiggly Underline</source>
        <translation>波浪下划线</translation>
    </message>
    <message>
        <source>Stamp</source>
        <translation>图章</translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation>删除线</translation>
    </message>
    <message>
        <source>Text Box</source>
        <translation>文本框</translation>
    </message>
    <message>
        <source>The %1 comment belongs on page %2, but the document has %3 pages.</source>
        <translation>%1 注释属于第 %2 页，但文档只有 %3 页。</translation>
    </message>
    <message>
        <source>The %1 comment has no page number it belongs on (“%2”).</source>
        <translation>%1 注释没有所属页码（“%2”）。</translation>
    </message>
    <message>
        <source>The %1 comment on page %2 has a colour that is none: “%3”.</source>
        <translation>第 %2 页的 %1 注释颜色无效：“%3”。</translation>
    </message>
    <message>
        <source>The %1 comment on page %2 has a “%3” of “%4”, which is not a number from %5 to %6.</source>
        <translation>第 %2 页的 %1 注释的“%3”为“%4”，不是 %5 到 %6 之间的数字。</translation>
    </message>
    <message>
        <source>The %1 comment on page %2 has a “%3” that is not a list of numbers: “%4”.</source>
        <translation>第 %2 页的 %1 注释的“%3”不是数字列表：“%4”。</translation>
    </message>
    <message>
        <source>The %1 comment on page %2 has no points.</source>
        <translation>第 %2 页的 %1 注释没有任何点。</translation>
    </message>
    <message>
        <source>The %1 comment on page %2 has no “%3”.</source>
        <translation>第 %2 页的 %1 注释缺少“%3”。</translation>
    </message>
    <message>
        <source>The attachment “%1” cannot be read: %2</source>
        <translation>无法读取附件“%1”：%2</translation>
    </message>
    <message>
        <source>The comment is not on page %1.</source>
        <translation>该注释不在第 %1 页上。</translation>
    </message>
    <message>
        <source>The comments and fields could not be read: %1</source>
        <translation>无法读取注释和字段：%1</translation>
    </message>
    <message>
        <source>The comments could not be summarized: %1</source>
        <translation>无法汇总注释：%1</translation>
    </message>
    <message>
        <source>The document cannot be prepared for display: %1</source>
        <translation>无法准备显示该文档：%1</translation>
    </message>
    <message>
        <source>The document has no comments.</source>
        <translation>文档中没有注释。</translation>
    </message>
    <message>
        <source>The document is still locked by its password.</source>
        <translation>文档仍被其密码锁定。</translation>
    </message>
    <message>
        <source>The document&apos;s properties cannot be read: %1</source>
        <translation>无法读取文档属性：%1</translation>
    </message>
    <message>
        <source>The document&apos;s protection cannot be read: %1</source>
        <translation>无法读取文档的保护设置：%1</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be opened: it needs more memory than there is.</source>
        <translation>无法打开文件“%1”：所需内存超出可用内存。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read: %2</source>
        <translation>无法读取文件“%1”：%2</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be combined (%2).</source>
        <translation>无法合并文件“%1”（%2）。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; does not exist or cannot be read.</source>
        <translation>文件“%1”不存在或无法读取。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; does not exist.</source>
        <translation>文件“%1”不存在。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; exists already. Nothing was written: choose another folder or move the file away.</source>
        <translation>文件“%1”已存在。未写入任何内容：请选择其他文件夹或移走该文件。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is damaged and cannot be opened (%2).</source>
        <translation>文件“%1”已损坏，无法打开（%2）。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is damaged and its pages cannot be used (%2).</source>
        <translation>文件“%1”已损坏，其页面无法使用（%2）。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is empty.</source>
        <translation>文件“%1”为空。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is encrypted now.</source>
        <translation>文件“%1”现已加密。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is not a PDF document.</source>
        <translation>文件“%1”不是 PDF 文档。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is protected by a password.</source>
        <translation>文件“%1”受密码保护。</translation>
    </message>
    <message>
        <source>The file is not XFDF: it holds no XML element.</source>
        <translation>该文件不是 XFDF：其中没有 XML 元素。</translation>
    </message>
    <message>
        <source>The file is not XFDF: it is not well-formed XML (%1 at line %2).</source>
        <translation>该文件不是 XFDF：XML 格式不正确（第 %2 行：%1）。</translation>
    </message>
    <message>
        <source>The file is not XFDF: its first element is “%1”, not “xfdf”.</source>
        <translation>该文件不是 XFDF：其第一个元素是“%1”，而不是“xfdf”。</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist.</source>
        <translation>文件夹“%1”不存在。</translation>
    </message>
    <message>
        <source>The form does not accept this value.</source>
        <translation>表单不接受此值。</translation>
    </message>
    <message>
        <source>The image &quot;%1&quot; could not be read (%2).</source>
        <translation>无法读取图片“%1”（%2）。</translation>
    </message>
    <message>
        <source>The kept changes cannot be read (%1).</source>
        <translation>无法读取保留的更改（%1）。</translation>
    </message>
    <message>
        <source>The pages cannot be moved to page %1 of %2.</source>
        <translation>无法将页面移到第 %1 页（共 %2 页）。</translation>
    </message>
    <message>
        <source>The pages could not be copied: %1</source>
        <translation>无法复制页面：%1</translation>
    </message>
    <message>
        <source>The pages could not be extracted: %1</source>
        <translation>无法提取页面：%1</translation>
    </message>
    <message>
        <source>The step cannot be undone: %1</source>
        <translation>无法撤销此步骤：%1</translation>
    </message>
    <message>
        <source>There are no files to combine.</source>
        <translation>没有要合并的文件。</translation>
    </message>
    <message>
        <source>There are no images to make a document of.</source>
        <translation>没有可用于创建文档的图片。</translation>
    </message>
    <message>
        <source>There are no pages to extract.</source>
        <translation>没有要提取的页面。</translation>
    </message>
    <message>
        <source>There are no pages to split.</source>
        <translation>没有要拆分的页面。</translation>
    </message>
    <message>
        <source>There is no bookmark at that place.</source>
        <translation>该位置没有书签。</translation>
    </message>
    <message>
        <source>There is no folder to write the files into.</source>
        <translation>没有用于写入文件的文件夹。</translation>
    </message>
    <message>
        <source>There is no image file “%1”.</source>
        <translation>没有图片文件“%1”。</translation>
    </message>
    <message>
        <source>There is no page %1 to bookmark.</source>
        <translation>没有可添加书签的第 %1 页。</translation>
    </message>
    <message>
        <source>Two of the files to write have the same name.</source>
        <translation>要写入的文件中有两个同名。</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下划线</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>无标题</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>它是一个文件夹</translation>
    </message>
    <message>
        <source>nothing was written</source>
        <translation>未写入任何内容</translation>
    </message>
    <message>
        <source>the file &quot;%1&quot; cannot be read: %2</source>
        <translation>无法读取文件“%1”：%2</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; does not exist</source>
        <translation>文件夹“%1”不存在</translation>
    </message>
    <message>
        <source>“%1” cannot be read: %2</source>
        <translation>无法读取“%1”：%2</translation>
    </message>
    <message>
        <source>Could not combine the files: the temporary file could not be written (%1).</source>
        <translation>无法合并文件：无法写入临时文件（%1）。</translation>
    </message>
    <message>
        <source>Could not save &quot;%1&quot;: another program wrote over &quot;%2&quot; while it was open here, and the parts of the document that were not changed here went with it. Reload the file to see what it holds now.</source>
        <translation>无法保存“%1”：在此打开期间，另一个程序覆盖了“%2”，文档中未在此修改的部分也随之丢失。请重新载入该文件，查看它现在的内容。</translation>
    </message>
    <message>
        <source>The comment could not be copied: %1</source>
        <translation>无法复制该注释：%1</translation>
    </message>
    <message>
        <source>Paste Comment</source>
        <translation>粘贴注释</translation>
    </message>
</context>
<context>
    <name>pxv::DocumentView</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>This file was damaged and has been repaired. Save it to keep the repaired version.</source>
        <translation>此文件已损坏并已修复。请保存以保留修复后的版本。</translation>
    </message>
</context>
<context>
    <name>pxv::FileChangeBar</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>重新加载</translation>
    </message>
    <message>
        <source>The file was changed on disk by another program.</source>
        <translation>磁盘上的文件已被其他程序修改。</translation>
    </message>
</context>
<context>
    <name>pxv::FindBar</name>
    <message>
        <source>%1 of %2</source>
        <translation>第 %1 个，共 %2 个</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>下一个(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>上一个(&amp;P)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Close the find bar (Escape)</source>
        <translation>关闭查找栏（Esc）</translation>
    </message>
    <message>
        <source>Find in document</source>
        <translation>在文档中查找</translation>
    </message>
    <message>
        <source>Next match (Enter, F3)</source>
        <translation>下一个匹配项（Enter、F3）</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>无匹配项</translation>
    </message>
    <message>
        <source>Previous match (Shift+Enter, Shift+F3)</source>
        <translation>上一个匹配项（Shift+Enter、Shift+F3）</translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation>正在搜索…</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>区分大小写(&amp;C)</translation>
    </message>
    <message>
        <source>Find only the text as typed, capitals and all</source>
        <translation>只查找与输入完全一致的文字，包括大小写</translation>
    </message>
    <message>
        <source>&amp;Whole words</source>
        <translation>全字匹配(&amp;W)</translation>
    </message>
    <message>
        <source>Find the text only where it stands as words of its own</source>
        <translation>只查找作为独立词语出现的文字</translation>
    </message>
</context>
<context>
    <name>pxv::FormFiller</name>
    <message>
        <source>%1: not signed</source>
        <translation>%1：未签名</translation>
    </message>
    <message>
        <source>%1: signed</source>
        <translation>%1：已签名</translation>
    </message>
</context>
<context>
    <name>pxv::HistoryPane</name>
    <message>
        <source>New document</source>
        <translation>新建文档</translation>
    </message>
    <message>
        <source>Opened</source>
        <translation>已打开</translation>
    </message>
    <message>
        <source>Undo history</source>
        <translation>撤销历史记录</translation>
    </message>
</context>
<context>
    <name>pxv::LayersPane</name>
    <message>
        <source>(unnamed layer)</source>
        <translation>（未命名图层）</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>图层</translation>
    </message>
    <message>
        <source>The document has no layers.</source>
        <translation>文档没有图层。</translation>
    </message>
</context>
<context>
    <name>pxv::OperationRegistry</name>
    <message>
        <source>the file to read is missing</source>
        <translation>缺少要读取的文件</translation>
    </message>
    <message>
        <source>“%1” is not one of “fields”, “comments” or “both”</source>
        <translation>“%1”不是“fields”、“comments”或“both”之一</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a colour</source>
        <translation>“%1”不是颜色</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file</source>
        <translation>&quot;%1&quot; 不是文件</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a kind of annotation</source>
        <translation>“%1”不是注释类型</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a line ending</source>
        <translation>“%1”不是线条端点样式</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation>“%1”不是数字</translation>
    </message>
    <message>
        <source>%1 - page %2</source>
        <translation>%1 - 第 %2 页</translation>
    </message>
    <message>
        <source>%1 is not 90, 180 or 270 degrees</source>
        <translation>%1 不是 90、180 或 270 度</translation>
    </message>
    <message>
        <source>%1 is not a number of pages for each file (1 or more)</source>
        <translation>%1 不是有效的每个文件页数（1 或更多）</translation>
    </message>
    <message>
        <source>%1 is not above 0 and at most 1</source>
        <translation>%1 不在大于 0 且不超过 1 的范围内</translation>
    </message>
    <message>
        <source>%1 numbers were given; it takes a multiple of %2</source>
        <translation>给出了 %1 个数字；数量必须是 %2 的倍数</translation>
    </message>
    <message>
        <source>%1 pages of %2 can go to pages 1 to %3, not %4</source>
        <translation>%2 的 %1 页只能插入到第 1 至 %3 页，不能插入到第 %4 页</translation>
    </message>
    <message>
        <source>%1 points leave too little of the page, or are below 0</source>
        <translation>%1 磅会使页面所剩无几，或小于 0</translation>
    </message>
    <message>
        <source>The operation “%1” has no parameter “%2” (it takes: %3).</source>
        <translation>操作“%1”没有参数“%2”（可用参数：%3）。</translation>
    </message>
    <message>
        <source>The operation “%1” is not available in this version of the editor.</source>
        <translation>此版本的编辑器不提供操作“%1”。</translation>
    </message>
    <message>
        <source>The parameter “%1” of “%2” is not right: %3.</source>
        <translation>“%2”的参数“%1”不正确：%3。</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>无标题</translation>
    </message>
    <message>
        <source>a %1 file holds one page, so %2 pages need a folder</source>
        <translation>一个 %1 文件只能容纳一页，因此 %2 页需要一个文件夹</translation>
    </message>
    <message>
        <source>a font size is 1 to 1000 points, not %1</source>
        <translation>字号应为 1 至 1000 磅，而不是 %1</translation>
    </message>
    <message>
        <source>a font size must be above 0</source>
        <translation>字号必须大于 0</translation>
    </message>
    <message>
        <source>a page is either scaled or given a size, not both</source>
        <translation>页面只能缩放或指定尺寸，不能两者兼有</translation>
    </message>
    <message>
        <source>a password is at most 127 bytes long</source>
        <translation>密码最长为 127 字节</translation>
    </message>
    <message>
        <source>a size, a width and height, or a scale is needed</source>
        <translation>需要尺寸、宽度和高度，或缩放比例</translation>
    </message>
    <message>
        <source>a text or an image is needed</source>
        <translation>需要文本或图片</translation>
    </message>
    <message>
        <source>a watermark is either a text or an image, not both</source>
        <translation>水印只能是文本或图片，不能两者兼有</translation>
    </message>
    <message>
        <source>a width cannot be negative</source>
        <translation>宽度不能为负数</translation>
    </message>
    <message>
        <source>an image is scaled by 0.01 to 10, not by %1</source>
        <translation>图像缩放比例应为 0.01 到 10，而不是 %1</translation>
    </message>
    <message>
        <source>it holds no document of this editor</source>
        <translation>其中没有本编辑器的文档</translation>
    </message>
    <message>
        <source>it is %1 to %2, not %3</source>
        <translation>应为 %1 至 %2，而不是 %3</translation>
    </message>
    <message>
        <source>it is 4 to 72 points, not %1</source>
        <translation>应为 4 至 72 磅，而不是 %1</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>它为空</translation>
    </message>
    <message>
        <source>it is missing</source>
        <translation>缺少此项</translation>
    </message>
    <message>
        <source>it is missing: how many pages go into each file</source>
        <translation>缺少此项：每个文件包含多少页</translation>
    </message>
    <message>
        <source>it is only taken with a “Size”</source>
        <translation>仅在指定“Size”时使用</translation>
    </message>
    <message>
        <source>it is only taken with “Level” “lossy”</source>
        <translation>仅在“Level”为“lossy”时使用</translation>
    </message>
    <message>
        <source>it is only taken with “Split” “count”</source>
        <translation>仅在“Split”为“count”时使用</translation>
    </message>
    <message>
        <source>it is the document&apos;s own file; choose another</source>
        <translation>这是文档自身的文件，请另选一个</translation>
    </message>
    <message>
        <source>it needs “{n}” for the page number</source>
        <translation>需要用“{n}”表示页码</translation>
    </message>
    <message>
        <source>it takes four numbers: left, top, width and height, the last two above 0</source>
        <translation>需要四个数字：左、上、宽度和高度，后两个须大于 0</translation>
    </message>
    <message>
        <source>no document is open</source>
        <translation>没有打开的文档</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>only a stamp is drawn from an image</source>
        <translation>只有图章可以由图像绘制</translation>
    </message>
    <message>
        <source>only an image watermark is scaled</source>
        <translation>只有图像水印可以缩放</translation>
    </message>
    <message>
        <source>opacity is 0 to 1, not %1</source>
        <translation>不透明度应为 0 至 1，而不是 %1</translation>
    </message>
    <message>
        <source>page %1 would be larger than 14400 or smaller than 1 point</source>
        <translation>第 %1 页将大于 14400 磅或小于 1 磅</translation>
    </message>
    <message>
        <source>pages are 1 to 14400 points wide and high, not %1</source>
        <translation>页面的宽度和高度应为 1 至 14400 磅，而不是 %1</translation>
    </message>
    <message>
        <source>pages can be scaled by 0.1 to 10, not by %1</source>
        <translation>页面的缩放比例应为 0.1 至 10，而不是 %1</translation>
    </message>
    <message>
        <source>the document has %1 pages, so pages can go to pages 1 to %2, not %3</source>
        <translation>文档共有 %1 页，页面只能移到第 1 至 %2 页，不能移到第 %3 页</translation>
    </message>
    <message>
        <source>the document has no file yet, so a path to save it to is needed</source>
        <translation>文档尚无文件，需要提供保存路径</translation>
    </message>
    <message>
        <source>the document has no page %1</source>
        <translation>文档中没有第 %1 页</translation>
    </message>
    <message>
        <source>the document has no top-level outline entries that lead to the pages</source>
        <translation>文档中没有指向页面的顶级书签</translation>
    </message>
    <message>
        <source>the file or folder to write is missing</source>
        <translation>缺少要写入的文件或文件夹</translation>
    </message>
    <message>
        <source>the file to take pages from is missing</source>
        <translation>缺少提供页面的文件</translation>
    </message>
    <message>
        <source>the file to write is missing</source>
        <translation>缺少要写入的文件</translation>
    </message>
    <message>
        <source>the folder to write the files into is missing</source>
        <translation>缺少用于写入文件的文件夹</translation>
    </message>
    <message>
        <source>the text file is missing</source>
        <translation>缺少文本文件</translation>
    </message>
    <message>
        <source>there are no files to combine</source>
        <translation>没有要合并的文件</translation>
    </message>
    <message>
        <source>there are no image files</source>
        <translation>没有图片文件</translation>
    </message>
    <message>
        <source>there is no file “%1”</source>
        <translation>没有文件“%1”</translation>
    </message>
    <message>
        <source>“%1” is not a colour written as #rrggbb</source>
        <translation>“%1”不是 #rrggbb 格式的颜色</translation>
    </message>
    <message>
        <source>“%1” is not a file name</source>
        <translation>“%1”不是文件名</translation>
    </message>
    <message>
        <source>“%1” is not a number</source>
        <translation>“%1”不是数字</translation>
    </message>
    <message>
        <source>“%1” is not a paper size such as “A4” or “Letter”</source>
        <translation>“%1”不是纸张尺寸，例如“A4”或“Letter”</translation>
    </message>
    <message>
        <source>“%1” is not a whole number</source>
        <translation>“%1”不是整数</translation>
    </message>
    <message>
        <source>“%1” is not one of %2</source>
        <translation>“%1”不是 %2 之一</translation>
    </message>
    <message>
        <source>“%1” is not one of “docx”, “odt”, “txt”, “html”, “svg”, “png” or “jpeg”</source>
        <translation>“%1”不是“docx”、“odt”、“txt”、“html”、“svg”、“png”或“jpeg”之一</translation>
    </message>
    <message>
        <source>“%1” is not true or false</source>
        <translation>“%1”不是 true 或 false</translation>
    </message>
    <message>
        <source>“%1” is not “center”, “tile”, “top-left”, “top”, “top-right”, “bottom-left”, “bottom” or “bottom-right”</source>
        <translation>“%1”不是“center”、“tile”、“top-left”、“top”、“top-right”、“bottom-left”、“bottom”或“bottom-right”</translation>
    </message>
    <message>
        <source>“%1” is not “lossless” or “lossy”</source>
        <translation>“%1”不是“lossless”或“lossy”</translation>
    </message>
    <message>
        <source>“%1” is not “neighbour” or %2</source>
        <translation>“%1”不是“neighbour”或 %2</translation>
    </message>
    <message>
        <source>“%1” is not “none”, “pages”, “ranges”, “count” or “outline”</source>
        <translation>“%1”不是“none”、“pages”、“ranges”、“count”或“outline”</translation>
    </message>
    <message>
        <source>“%1” is not “png” or “jpeg”</source>
        <translation>“%1”不是“png”或“jpeg”</translation>
    </message>
    <message>
        <source>“%1” is not “portrait” or “landscape”</source>
        <translation>“%1”不是“portrait”或“landscape”</translation>
    </message>
    <message>
        <source>“%1” is not “portrait”, “landscape” or “auto”</source>
        <translation>“%1”不是“portrait”、“landscape”或“auto”</translation>
    </message>
    <message>
        <source>“%1” is not “top-left”, “top”, “top-right”, “bottom-left”, “bottom” or “bottom-right”</source>
        <translation>“%1”不是“top-left”、“top”、“top-right”、“bottom-left”、“bottom”或“bottom-right”</translation>
    </message>
    <message>
        <source>“%1” is not “true” or “false”</source>
        <translation>“%1”不是“true”或“false”</translation>
    </message>
    <message>
        <source>“%1” is not an installed TrueType or OpenType font family</source>
        <translation>“%1”不是已安装的 TrueType 或 OpenType 字体系列</translation>
    </message>
</context>
<context>
    <name>pxv::OutlinePane</name>
    <message>
        <source>%1 (page %2)</source>
        <translation>%1（第 %2 页）</translation>
    </message>
    <message>
        <source>&amp;Add Bookmark</source>
        <translation>添加书签(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>重命名(&amp;R)</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>第 %1 页</translation>
    </message>
</context>
<context>
    <name>pxv::PageBox</name>
    <message>
        <source>Page number: type a page and press Enter</source>
        <translation>页码：输入页码后按 Enter 键</translation>
    </message>
</context>
<context>
    <name>pxv::PageChoiceBox</name>
    <message>
        <source>&amp;All pages</source>
        <translation>所有页面(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Current page (%1)</source>
        <translation>当前页(&amp;C)（%1）</translation>
    </message>
    <message>
        <source>&amp;Even pages</source>
        <translation>偶数页(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Odd pages</source>
        <translation>奇数页(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Selected pages (%1)</source>
        <translation>所选页面(&amp;S)（%1）</translation>
    </message>
    <message>
        <source>Pa&amp;ges:</source>
        <translation>页面(&amp;G)：</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>页面</translation>
    </message>
    <message>
        <source>Type the pages to work on.</source>
        <translation>输入要处理的页面。</translation>
    </message>
    <message>
        <source>e.g. 1-3, 7, 10-</source>
        <translation>例如 1-3, 7, 10-</translation>
    </message>
</context>
<context>
    <name>pxv::PageRange</name>
    <message>
        <source>&quot;%1&quot; is not a page range. Use page numbers and ranges such as &quot;1-3,7,10-&quot;, or &quot;all&quot;, &quot;odd&quot; or &quot;even&quot;.</source>
        <translation>“%1”不是页面范围。请使用页码和范围，例如“1-3,7,10-”，或者“all”（全部）、“odd”（奇数页）、“even”（偶数页）。</translation>
    </message>
    <message>
        <source>Page %1 does not exist: the document has %2 pages.</source>
        <translation>第 %1 页不存在：文档共有 %2 页。</translation>
    </message>
    <message>
        <source>Page %1 does not exist: the document has 1 page.</source>
        <translation>第 %1 页不存在：文档只有 1 页。</translation>
    </message>
    <message>
        <source>The document has no pages to choose from.</source>
        <translation>文档中没有可选择的页面。</translation>
    </message>
    <message>
        <source>The page range &quot;%1&quot; has a comma too many.</source>
        <translation>页面范围“%1”中多了一个逗号。</translation>
    </message>
    <message>
        <source>The page range &quot;%1&quot; runs backwards.</source>
        <translation>页面范围“%1”的顺序颠倒了。</translation>
    </message>
    <message>
        <source>There is no page 0: pages are numbered from 1.</source>
        <translation>没有第 0 页：页码从 1 开始。</translation>
    </message>
</context>
<context>
    <name>pxv::PageRenderer</name>
    <message>
        <source>Page %1 cannot be shown: %2</source>
        <translation>无法显示第 %1 页：%2</translation>
    </message>
    <message>
        <source>Page %1 cannot be shown: not enough memory.</source>
        <translation>无法显示第 %1 页：内存不足。</translation>
    </message>
    <message>
        <source>Page %1 is damaged.</source>
        <translation>第 %1 页已损坏。</translation>
    </message>
</context>
<context>
    <name>pxv::PageView</name>
    <message>
        <source>%1 (not opened from documents)</source>
        <translation>%1（不是从文档打开的）</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="vanished">删除</translation>
    </message>
    <message>
        <source>Edit Text</source>
        <translation>编辑文本</translation>
    </message>
    <message>
        <source>Go to page %1</source>
        <translation>转到第 %1 页</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>第 %1 页</translation>
    </message>
    <message>
        <source>Page %1 could not be shown.
%2</source>
        <translation>无法显示第 %1 页。
%2</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Highlight</source>
        <translation>高亮(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>下划线(&amp;U)</translation>
    </message>
    <message>
        <source>Stri&amp;keout</source>
        <translation>删除线(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
</context>
<context>
    <name>pxv::Printing</name>
    <message>
        <source>The printer could not be started.</source>
        <translation>无法启动打印机。</translation>
    </message>
</context>
<context>
    <name>pxv::PropertiesDialog</name>
    <message>
        <source>%1 × %2 pt (%3 × %4 mm)</source>
        <translation>%1 × %2 磅（%3 × %4 毫米）</translation>
    </message>
    <message>
        <source>&amp;Author:</source>
        <translation>作者(&amp;A)：</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>说明(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Fonts</source>
        <translation>字体(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Keywords:</source>
        <translation>关键字(&amp;K)：</translation>
    </message>
    <message>
        <source>&amp;Subject:</source>
        <translation>主题(&amp;S)：</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>标题(&amp;T)：</translation>
    </message>
    <message>
        <source>Created:</source>
        <translation>创建时间：</translation>
    </message>
    <message>
        <source>Creator:</source>
        <translation>创建工具：</translation>
    </message>
    <message>
        <source>D&amp;ocument</source>
        <translation>文档(&amp;O)</translation>
    </message>
    <message>
        <source>Document Properties</source>
        <translation>文档属性</translation>
    </message>
    <message>
        <source>Embedded</source>
        <translation>已嵌入</translation>
    </message>
    <message>
        <source>Encrypted:</source>
        <translation>已加密：</translation>
    </message>
    <message>
        <source>File size:</source>
        <translation>文件大小：</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>字体</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>格式：</translation>
    </message>
    <message>
        <source>Linearized:</source>
        <translation>已线性化：</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>修改时间：</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation>页面大小：</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>页数：</translation>
    </message>
    <message>
        <source>Producer:</source>
        <translation>PDF 生成器：</translation>
    </message>
    <message>
        <source>Tagged:</source>
        <translation>带标签：</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>not given</source>
        <translation>未提供</translation>
    </message>
    <message>
        <source>not saved yet</source>
        <translation>尚未保存</translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation>（无名称）</translation>
    </message>
</context>
<context>
    <name>pxv::RecoveryStore</name>
    <message>
        <source>The folder &quot;%1&quot; cannot be created.</source>
        <translation>无法创建文件夹“%1”。</translation>
    </message>
    <message>
        <source>Unsaved changes cannot be kept for recovery in &quot;%1&quot;: %2</source>
        <translation>无法在“%1”中保留未保存的更改以备恢复：%2</translation>
    </message>
</context>
<context>
    <name>pxv::ResizeDialog</name>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source> pt</source>
        <translation> 磅</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>高度(&amp;H)：</translation>
    </message>
    <message>
        <source>&amp;Orientation:</source>
        <translation>方向(&amp;O)：</translation>
    </message>
    <message>
        <source>&amp;Paper size:</source>
        <translation>纸张大小(&amp;P)：</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>宽度(&amp;W)：</translation>
    </message>
    <message>
        <source>As each page stands</source>
        <translation>保持各页原方向</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>横向</translation>
    </message>
    <message>
        <source>New size</source>
        <translation>新尺寸</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>纵向</translation>
    </message>
    <message>
        <source>Resize Pages</source>
        <translation>调整页面大小</translation>
    </message>
    <message>
        <source>S&amp;cale:</source>
        <translation>缩放(&amp;C)：</translation>
    </message>
    <message>
        <source>The content is scaled to fit and centred.</source>
        <translation>内容将缩放以适合页面并居中。</translation>
    </message>
</context>
<context>
    <name>pxv::SecurityDialog</name>
    <message>
        <source> and opens with a password</source>
        <translation>，打开时需要密码</translation>
    </message>
    <message>
        <source>&amp;Annotate</source>
        <translation>添加注释(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Copy text and images</source>
        <translation>复制文本和图片(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Edit pages</source>
        <translation>编辑页面(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Fill in forms</source>
        <translation>填写表单(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>打印(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Restrict what can be done without a permissions password</source>
        <translation>限制没有权限密码时可执行的操作(&amp;R)</translation>
    </message>
    <message>
        <source>A new protection is applied when the document is next saved.</source>
        <translation>新的保护将在下次保存文档时应用。</translation>
    </message>
    <message>
        <source>Again:</source>
        <translation>确认密码：</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>密码：</translation>
    </message>
    <message>
        <source>Protected documents are encrypted with AES-256 when saved. Clear both boxes to remove the protection.</source>
        <translation>受保护的文档在保存时使用 AES-256 加密。清除两个复选框即可取消保护。</translation>
    </message>
    <message>
        <source>Require a password to &amp;open the document</source>
        <translation>打开文档时需要密码(&amp;O)</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>安全性</translation>
    </message>
    <message>
        <source>The document is encrypted (%1)%2.</source>
        <translation>文档已加密（%1）%2。</translation>
    </message>
    <message>
        <source>The document is not protected.</source>
        <translation>文档未受保护。</translation>
    </message>
</context>
<context>
    <name>pxv::SignaturesPane</name>
    <message>
        <source>Not signed</source>
        <translation>未签名</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>页</translation>
    </message>
    <message>
        <source>Signature</source>
        <translation>签名</translation>
    </message>
    <message>
        <source>Signed</source>
        <translation>已签名</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>The document has no signature fields.</source>
        <translation>文档没有签名字段。</translation>
    </message>
</context>
<context>
    <name>pxv::SplitDialog</name>
    <message>
        <source>&amp;Every</source>
        <translation>每(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Split</source>
        <translation>拆分(&amp;S)</translation>
    </message>
    <message>
        <source>At top-level &amp;bookmarks</source>
        <translation>按顶级书签(&amp;B)</translation>
    </message>
    <message>
        <source>B&amp;rowse…</source>
        <translation>浏览(&amp;R)…</translation>
    </message>
    <message>
        <source>Folder for the Files</source>
        <translation>文件存放的文件夹</translation>
    </message>
    <message>
        <source>One file for each &amp;page</source>
        <translation>每页一个文件(&amp;P)</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>拆分</translation>
    </message>
    <message>
        <source>Split Document</source>
        <translation>拆分文档</translation>
    </message>
    <message>
        <source>The document has no bookmarks.</source>
        <translation>文档中没有书签。</translation>
    </message>
    <message>
        <source>Write the files into the folder:</source>
        <translation>将文件写入文件夹：</translation>
    </message>
    <message>
        <source>pages</source>
        <translation>页</translation>
    </message>
</context>
<context>
    <name>pxv::SplitPlan</name>
    <message>
        <source>page %1</source>
        <translation>第 %1 页</translation>
    </message>
    <message>
        <source>pages %1</source>
        <translation>第 %1 页</translation>
    </message>
    <message>
        <source>pages %1-%2 (%3 pages)</source>
        <translation>第 %1-%2 页（共 %3 页）</translation>
    </message>
</context>
<context>
    <name>pxv::StampDialog</name>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source> pt</source>
        <translation> 磅</translation>
    </message>
    <message>
        <source>&amp;Browse…</source>
        <translation>浏览(&amp;B)…</translation>
    </message>
    <message>
        <source>&amp;Colour:</source>
        <translation>颜色(&amp;C)：</translation>
    </message>
    <message>
        <source>&amp;First number:</source>
        <translation>起始页码(&amp;F)：</translation>
    </message>
    <message>
        <source>&amp;Image:</source>
        <translation>图片(&amp;I)：</translation>
    </message>
    <message>
        <source>&amp;Opacity:</source>
        <translation>不透明度(&amp;O)：</translation>
    </message>
    <message>
        <source>&amp;Position:</source>
        <translation>位置(&amp;P)：</translation>
    </message>
    <message>
        <source>&amp;Rotation:</source>
        <translation>旋转(&amp;R)：</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>文本(&amp;T)：</translation>
    </message>
    <message>
        <source>&amp;Top and bottom margin:</source>
        <translation>上下边距(&amp;T)：</translation>
    </message>
    <message>
        <source>Be&amp;hind the page&apos;s content</source>
        <translation>置于页面内容之后(&amp;H)</translation>
    </message>
    <message>
        <source>Bottom centre</source>
        <translation>底部居中</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>左下</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>右下</translation>
    </message>
    <message>
        <source>CONFIDENTIAL</source>
        <translation>机密</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>居中</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Fit to the page</source>
        <translation>适合页面</translation>
    </message>
    <message>
        <source>Font &amp;size:</source>
        <translation>字号(&amp;S)：</translation>
    </message>
    <message>
        <source>Header and Footer</source>
        <translation>页眉和页脚</translation>
    </message>
    <message>
        <source>Image s&amp;cale:</source>
        <translation>图像缩放(&amp;C)：</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg)</source>
        <translation>图片 (*.png *.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Page {n} of {N}</source>
        <translation>第 {n} 页，共 {N} 页</translation>
    </message>
    <message>
        <source>Side &amp;margin:</source>
        <translation>左右边距(&amp;M)：</translation>
    </message>
    <message>
        <source>The image&apos;s size as a share of its own; at the lowest, shrunk to fit when larger than the page</source>
        <translation>图像大小相对其原始大小的比例；最小值时，若大于页面则缩小以适合页面</translation>
    </message>
    <message>
        <source>Tiled over the page</source>
        <translation>平铺整页</translation>
    </message>
    <message>
        <source>Top centre</source>
        <translation>顶部居中</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>左上</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>右上</translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation>水印</translation>
    </message>
    <message>
        <source>Watermark Image</source>
        <translation>水印图片</translation>
    </message>
    <message>
        <source>a PNG or JPEG file instead of the text</source>
        <translation>使用 PNG 或 JPEG 文件代替文本</translation>
    </message>
    <message>
        <source>{n}: the page&apos;s number, {N}: the last number, {date}: today, {file}: the file&apos;s name</source>
        <translation>{n}：页码，{N}：最后一页的页码，{date}：今天的日期，{file}：文件名</translation>
    </message>
    <message>
        <source>°</source>
        <translation>°</translation>
    </message>
</context>
<context>
    <name>pxv::StampsPane</name>
    <message>
        <source>Approved</source>
        <translation>已批准</translation>
    </message>
    <message>
        <source>Experimental</source>
        <translation>实验性</translation>
    </message>
    <message>
        <source>Not Approved</source>
        <translation>未批准</translation>
    </message>
    <message>
        <source>As Is</source>
        <translation>按原样</translation>
    </message>
    <message>
        <source>Expired</source>
        <translation>已过期</translation>
    </message>
    <message>
        <source>Not for Public Release</source>
        <translation>不公开发布</translation>
    </message>
    <message>
        <source>Confidential</source>
        <translation>机密</translation>
    </message>
    <message>
        <source>Final</source>
        <translation>最终版</translation>
    </message>
    <message>
        <source>Sold</source>
        <translation>已售出</translation>
    </message>
    <message>
        <source>Departmental</source>
        <translation>部门内部</translation>
    </message>
    <message>
        <source>For Comment</source>
        <translation>征求意见</translation>
    </message>
    <message>
        <source>Top Secret</source>
        <translation>绝密</translation>
    </message>
    <message>
        <source>Draft</source>
        <translation>草稿</translation>
    </message>
    <message>
        <source>For Public Release</source>
        <translation>公开发布</translation>
    </message>
    <message>
        <source>Image Stamp…</source>
        <translation>图片图章…</translation>
    </message>
    <message>
        <source>Click, then click the page to place it</source>
        <translation>单击此项，再单击页面放置</translation>
    </message>
    <message>
        <source>A PNG or JPEG picture of your own</source>
        <translation>您自己的 PNG 或 JPEG 图片</translation>
    </message>
</context>
<context>
    <name>pxv::TextLayoutDialog</name>
    <message>
        <source>New from Text File: %1</source>
        <translation>从文本文件新建：%1</translation>
    </message>
    <message>
        <source> pt</source>
        <translation> 磅</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>字体(&amp;F)：</translation>
    </message>
    <message>
        <source>Font &amp;size:</source>
        <translation>字号(&amp;S)：</translation>
    </message>
    <message>
        <source>&amp;Margins:</source>
        <translation>页边距(&amp;M)：</translation>
    </message>
    <message>
        <source>&amp;Page size:</source>
        <translation>页面大小(&amp;P)：</translation>
    </message>
</context>
<context>
    <name>pxv::ThumbnailModel</name>
    <message>
        <source>Page %1</source>
        <translation>第 %1 页</translation>
    </message>
</context>
<context>
    <name>pxv::ThumbnailPane</name>
    <message>
        <source>Page thumbnails</source>
        <translation>页面缩略图</translation>
    </message>
</context>
<context>
    <name>pxv::WriteProgress</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Writing “%1” (%2 of %3)…</source>
        <translation>正在写入“%1”（第 %2 个，共 %3 个）…</translation>
    </message>
</context>
<context>
    <name>pxv::ZoomBox</name>
    <message>
        <source>Fit Page</source>
        <translation>适合页面</translation>
    </message>
    <message>
        <source>Fit Width</source>
        <translation>适合宽度</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>缩放</translation>
    </message>
</context>
</TS>

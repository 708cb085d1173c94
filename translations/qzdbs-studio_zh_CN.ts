<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>qzdbs::ui::qt::DrawingCanvas</name>
    <message>
        <source>Insert a standard part to see it here</source>
        <translation>插入一个标准件后在此显示</translation>
    </message>
</context>
<context>
    <name>qzdbs::ui::qt::DrawingStyleDialog</name>
    <message>
        <source>Drawing style</source>
        <translation>绘图样式</translation>
    </message>
    <message>
        <source>built-in (GB/T 14665)</source>
        <translation>内置 (GB/T 14665)</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Layer style table</source>
        <translation>图层样式表</translation>
    </message>
    <message>
        <source>Layer styles</source>
        <translation>图层样式</translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation>%1 mm</translation>
    </message>
    <message>
        <source>Thick lines</source>
        <translation>粗实线宽度</translation>
    </message>
    <message>
        <source>Third-angle projection (first angle when off)</source>
        <translation>第三角投影（不选为第一角投影）</translation>
    </message>
</context>
<context>
    <name>qzdbs::ui::qt::PartSelWindow</name>
    <message>
        <source>Show or hide the catalogue</source>
        <translation>显示或隐藏零件目录</translation>
    </message>
    <message>
        <source>Search parts</source>
        <translation>搜索零件</translation>
    </message>
</context>
<context>
    <name>QtMessageService</name>
    <message>
        <source>Show no more messages for this run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n more message(s) of this run were not shown.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qzdbs::ui::qt::StudioWindow</name>
    <message>
        <source>qzdbs-studio</source>
        <translation>qzdbs-studio</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>会话</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>零件</translation>
    </message>
    <message>
        <source>Open a library, then insert a standard part</source>
        <translation>请先打开零件库，再插入标准件</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Open library...</source>
        <translation>打开零件库(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Save drawing as...</source>
        <translation>图形另存为(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Recent libraries</source>
        <translation>最近的零件库(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Part</source>
        <translation>零件(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Insert standard part...</source>
        <translation>插入标准件(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>放大(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>缩小(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation>适合窗口(&amp;F)</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>主工具栏</translation>
    </message>
    <message>
        <source>Editing a part</source>
        <translation>编辑零件</translation>
    </message>
    <message>
        <source>Drawing scale</source>
        <translation>绘图比例</translation>
    </message>
    <message>
        <source>Block folder</source>
        <translation>图块文件夹</translation>
    </message>
    <message>
        <source>Libraries</source>
        <translation>零件库</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>值</translation>
    </message>
    <message>
        <source>Open part libraries</source>
        <translation>打开零件库</translation>
    </message>
    <message>
        <source>Part libraries (*.qzlib *.db *.sqlite *.mdb);;All files (*)</source>
        <translation>零件库 (*.qzlib *.db *.sqlite *.mdb);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Part inserted</source>
        <translation>已插入零件</translation>
    </message>
    <message>
        <source>No part inserted</source>
        <translation>未插入零件</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>Design parameters</source>
        <translation>设计参数</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>已保存 %1</translation>
    </message>
    <message>
        <source>Nothing has been drawn yet.</source>
        <translation>尚未绘制任何零件。</translation>
    </message>
    <message>
        <source>Save drawing</source>
        <translation>保存图形</translation>
    </message>
    <message>
        <source>DXF (*.dxf);;SVG (*.svg);;PNG (*.png);;PDF (*.pdf)</source>
        <translation>DXF (*.dxf);;SVG (*.svg);;PNG (*.png);;PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Parts list</source>
        <translation>明细栏</translation>
    </message>
    <message>
        <source>Open studio &amp;drawing...</source>
        <translation>打开工作室图形(&amp;D)...</translation>
    </message>
    <message>
        <source>Save studio d&amp;rawing...</source>
        <translation>保存工作室图形(&amp;R)...</translation>
    </message>
    <message>
        <source>Export parts &amp;list (CSV)...</source>
        <translation>导出明细栏(CSV)(&amp;L)...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Delete part</source>
        <translation>删除零件(&amp;D)</translation>
    </message>
    <message>
        <source>Insert a standard part (Part &gt; Insert standard part)</source>
        <translation>插入标准件（零件 &gt; 插入标准件）</translation>
    </message>
    <message>
        <source>These parts could not be drawn again:
%1</source>
        <translation>以下零件无法重新绘制：
%1</translation>
    </message>
    <message>
        <source>Opened %1: %2 of %3 parts</source>
        <translation>已打开 %1：%3 个零件中的 %2 个</translation>
    </message>
    <message>
        <source>Save studio drawing</source>
        <translation>保存工作室图形</translation>
    </message>
    <message>
        <source>Open studio drawing</source>
        <translation>打开工作室图形</translation>
    </message>
    <message>
        <source>Export parts list</source>
        <translation>导出明细栏</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>Drawing st&amp;yle...</source>
        <translation>绘图样式(&amp;Y)...</translation>
    </message>
    <message>
        <source>The part was not placed</source>
        <translation>零件未放置</translation>
    </message>
    <message>
        <source>&amp;Turn part by 90°</source>
        <translation>零件旋转 90°(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Parts list on the sheet</source>
        <translation>图纸上的明细栏(&amp;P)</translation>
    </message>
    <message>
        <source>Click where the part goes (it snaps to the grid and to line ends); R or Space turns it by 90°, Esc drops it</source>
        <translation>单击放置零件（捕捉到网格和线段端点）；R 或空格键旋转 90°，Esc 放弃</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Inserts standard parts from part libraries into a drawing.</source>
        <translation>从零件库中把标准件插入图形。</translation>
    </message>
    <message>
        <source>Part libraries to open (the sample library when none).</source>
        <translation>要打开的零件库（未给出时打开示例库）。</translation>
    </message>
</context>
</TS>

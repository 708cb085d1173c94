<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>qzdbs::ui::qt::DrawingCanvas</name>
    <message>
        <source>Insert a standard part to see it here</source>
        <translation>Insert a standard part to see it here</translation>
    </message>
</context>
<context>
    <name>qzdbs::ui::qt::DrawingStyleDialog</name>
    <message>
        <source>Drawing style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>built-in (GB/T 14665)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layer style table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layer styles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thick lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Third-angle projection (first angle when off)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qzdbs::ui::qt::PartSelWindow</name>
    <message>
        <source>Show or hide the catalogue</source>
        <translation>Show or hide the catalogue</translation>
    </message>
    <message>
        <source>Search parts</source>
        <translation>Search parts</translation>
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
        <translation>Session</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>Part</translation>
    </message>
    <message>
        <source>Open a library, then insert a standard part</source>
        <translation>Open a library, then insert a standard part</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Open library...</source>
        <translation>&amp;Open library...</translation>
    </message>
    <message>
        <source>&amp;Save drawing as...</source>
        <translation>&amp;Save drawing as...</translation>
    </message>
    <message>
        <source>&amp;Recent libraries</source>
        <translation>&amp;Recent libraries</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Part</source>
        <translation>&amp;Part</translation>
    </message>
    <message>
        <source>&amp;Insert standard part...</source>
        <translation>&amp;Insert standard part...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>Zoom &amp;in</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Zoom &amp;out</translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation>&amp;Fit</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Main</translation>
    </message>
    <message>
        <source>Editing a part</source>
        <translation>Editing a part</translation>
    </message>
    <message>
        <source>Drawing scale</source>
        <translation>Drawing scale</translation>
    </message>
    <message>
        <source>Block folder</source>
        <translation>Block folder</translation>
    </message>
    <message>
        <source>Libraries</source>
        <translation>Libraries</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Open part libraries</source>
        <translation>Open part libraries</translation>
    </message>
    <message>
        <source>Part libraries (*.qzlib *.db *.sqlite *.mdb);;All files (*)</source>
        <translation>Part libraries (*.qzlib *.db *.sqlite *.mdb);;All files (*)</translation>
    </message>
    <message>
        <source>Part inserted</source>
        <translation>Part inserted</translation>
    </message>
    <message>
        <source>No part inserted</source>
        <translation>No part inserted</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Design parameters</source>
        <translation>Design parameters</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>Nothing has been drawn yet.</source>
        <translation>Nothing has been drawn yet.</translation>
    </message>
    <message>
        <source>Save drawing</source>
        <translation>Save drawing</translation>
    </message>
    <message>
        <source>DXF (*.dxf);;SVG (*.svg);;PNG (*.png);;PDF (*.pdf)</source>
        <translation>DXF (*.dxf);;SVG (*.svg);;PNG (*.png);;PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Parts list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open studio &amp;drawing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save studio d&amp;rawing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export parts &amp;list (CSV)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
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
        <source>&amp;Delete part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert a standard part (Part &gt; Insert standard part)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These parts could not be drawn again:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opened %1: %2 of %3 parts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save studio drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open studio drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export parts list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing st&amp;yle...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The part was not placed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Turn part by 90°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Parts list on the sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click where the part goes (it snaps to the grid and to line ends); R or Space turns it by 90°, Esc drops it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Inserts standard parts from part libraries into a drawing.</source>
        <translation>Inserts standard parts from part libraries into a drawing.</translation>
    </message>
    <message>
        <source>Part libraries to open (the sample library when none).</source>
        <translation>Part libraries to open (the sample library when none).</translation>
    </message>
</context>
</TS>

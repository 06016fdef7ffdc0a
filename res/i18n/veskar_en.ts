<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>check::FrameSummary</name>
    <message>
        <source>S meter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3.3 V bus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solar cell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EPS temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comm. temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sun sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uplink command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FM transmitter power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operation mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packet interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensor flag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Antenna flag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paddle flag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sun sensor power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sun sensor mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sun sensor threshold</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui::CBeaconDialog</name>
    <message>
        <source>Not every byte could be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The analysis could not be saved to &quot;%1&quot;.

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2 hexadecimal digits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The analysis of every Check, newest at the end; you may edit it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui::CheckWords</name>
    <message>
        <source>The status word could not be decoded: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check at %1 UTC: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 faults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at a limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>all normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no item copied</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui::CodePage</name>
    <message>
        <source>This character cannot be kept in the analysis (code page 932) and was not entered.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui::InfoPanel</name>
    <message>
        <source>normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>at a limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Legend: ○ normal, △ at a limit, × fault, － not copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame health</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colours: daylight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colours: eclipse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The panel&apos;s colours assume daylight. The report keeps the built-in eclipse setting. Press to return to eclipse.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The panel&apos;s colours assume eclipse, the built-in setting. Press to see this frame&apos;s battery current and solar cell in daylight.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>volts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>amperes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>degrees Celsius</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui::KeyboardHelp</name>
    <message>
        <source>Type a copied frame into the boxes H0 to F, after the fixed word VOKA.
A box that holds its digits (two, or four for A and B) moves you to the next one; the last one moves you to Check.
Pasting a whole frame into a box (eleven fields, with or without the time and VOKA before them, - for a field not copied) fills all eleven boxes.

Enter runs Check from any box, also from the result box.
Ctrl+N, next frame: empties the eleven boxes and puts you in H0.
Alt+H goes to H0, Alt+R to the result box, Alt+L to the start of the newest block of the result, Alt+P to the panel.
Ctrl+Enter starts a new line in the result box, Ctrl+Tab types a tab there.
Tab and Shift+Tab move between the controls.
The Menu key, Shift+F10, Alt+Space or a right-click on the dialog open the window menu; it and the button below open the about box.
Esc or Close end Veskar; when the result holds analysis that is not saved, Veskar asks first.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui::PanelPresenter</name>
    <message>
        <source>Last Check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 as typed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a %1-digit hexadecimal number: read as %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field %1 of the frame after VOKA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 read as %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui::Services</name>
    <message>
        <source>The analysis has changes that are not saved. Save them before Veskar closes?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui::TemplateDialog</name>
    <message>
        <source>Veskar, VOKA-I beacon telemetry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veskar icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decoration</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>check::FrameSummary</name>
    <message>
        <source>S meter</source>
        <translation>Sメータ</translation>
    </message>
    <message>
        <source>Battery voltage</source>
        <translation>バッテリ電圧</translation>
    </message>
    <message>
        <source>Battery current</source>
        <translation>バッテリ電流</translation>
    </message>
    <message>
        <source>3.3 V bus</source>
        <translation>3.3 Vバス</translation>
    </message>
    <message>
        <source>Solar cell</source>
        <translation>太陽電池</translation>
    </message>
    <message>
        <source>EPS temperature</source>
        <translation>電源部温度</translation>
    </message>
    <message>
        <source>Comm. temperature</source>
        <translation>通信部温度</translation>
    </message>
    <message>
        <source>Memory status</source>
        <translation>メモリ状態</translation>
    </message>
    <message>
        <source>Sun sensor</source>
        <translation>太陽センサ</translation>
    </message>
    <message>
        <source>Status word</source>
        <translation>ステータスワード</translation>
    </message>
    <message>
        <source>Uplink command</source>
        <translation>アップリンクコマンド</translation>
    </message>
    <message>
        <source>FM transmitter power</source>
        <translation>FM送信機電源</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>プロトコル</translation>
    </message>
    <message>
        <source>Operation mode</source>
        <translation>運用モード</translation>
    </message>
    <message>
        <source>Packet interval</source>
        <translation>パケット間隔</translation>
    </message>
    <message>
        <source>Sensor flag</source>
        <translation>センサフラグ</translation>
    </message>
    <message>
        <source>Antenna flag</source>
        <translation>アンテナフラグ</translation>
    </message>
    <message>
        <source>Paddle flag</source>
        <translation>パドルフラグ</translation>
    </message>
    <message>
        <source>Sun sensor power</source>
        <translation>太陽センサ電源</translation>
    </message>
    <message>
        <source>Sun sensor mode</source>
        <translation>太陽センサモード</translation>
    </message>
    <message>
        <source>Sun sensor threshold</source>
        <translation>太陽センサしきい値</translation>
    </message>
</context>
<context>
    <name>ui::CBeaconDialog</name>
    <message>
        <source>Not every byte could be written.</source>
        <translation>一部のバイトを書き込めませんでした。</translation>
    </message>
    <message>
        <source>The analysis could not be saved to &quot;%1&quot;.

%2</source>
        <translation>解析結果を「%1」に保存できませんでした。

%2</translation>
    </message>
    <message>
        <source>%1, %2 hexadecimal digits</source>
        <translation>%1、16進数%2桁</translation>
    </message>
    <message>
        <source>The analysis of every Check, newest at the end; you may edit it</source>
        <translation>各チェックの解析結果。最新のものが末尾にあり、編集できます</translation>
    </message>
</context>
<context>
    <name>ui::CheckWords</name>
    <message>
        <source>The status word could not be decoded: %1</source>
        <translation>ステータスワードを解読できませんでした: %1</translation>
    </message>
    <message>
        <source>Check at %1 UTC: %2</source>
        <translation>%1 UTCのチェック: %2</translation>
    </message>
    <message>
        <source>1 fault</source>
        <translation>異常1件</translation>
    </message>
    <message>
        <source>%1 faults</source>
        <translation>異常%1件</translation>
    </message>
    <message>
        <source>%1 at a limit</source>
        <translation>限界値%1件</translation>
    </message>
    <message>
        <source>all normal</source>
        <translation>すべて正常</translation>
    </message>
    <message>
        <source>no item copied</source>
        <translation>受信した項目なし</translation>
    </message>
</context>
<context>
    <name>ui::CodePage</name>
    <message>
        <source>This character cannot be kept in the analysis (code page 932) and was not entered.</source>
        <translation>この文字は解析結果(コードページ932)に入れられないため、入力しませんでした。</translation>
    </message>
</context>
<context>
    <name>ui::InfoPanel</name>
    <message>
        <source>normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>at a limit</source>
        <translation>限界値</translation>
    </message>
    <message>
        <source>fault</source>
        <translation>異常</translation>
    </message>
    <message>
        <source>not copied</source>
        <translation>未受信</translation>
    </message>
    <message>
        <source>Legend: ○ normal, △ at a limit, × fault, － not copied</source>
        <translation>凡例: ○ 正常、△ 限界値、× 異常、－ 未受信</translation>
    </message>
    <message>
        <source>Frame health</source>
        <translation>フレームの状態</translation>
    </message>
    <message>
        <source>Colours: daylight</source>
        <translation>色: 日照</translation>
    </message>
    <message>
        <source>Colours: eclipse</source>
        <translation>色: 日陰</translation>
    </message>
    <message>
        <source>The panel&apos;s colours assume daylight. The report keeps the built-in eclipse setting. Press to return to eclipse.</source>
        <translation>パネルの色は日照を前提にしています。解析結果は組み込みの日陰設定のままです。押すと日陰に戻ります。</translation>
    </message>
    <message>
        <source>The panel&apos;s colours assume eclipse, the built-in setting. Press to see this frame&apos;s battery current and solar cell in daylight.</source>
        <translation>パネルの色は組み込みの日陰設定を前提にしています。押すとこのフレームのバッテリ電流と太陽電池を日照で表示します。</translation>
    </message>
    <message>
        <source>volts</source>
        <translation>ボルト</translation>
    </message>
    <message>
        <source>amperes</source>
        <translation>アンペア</translation>
    </message>
    <message>
        <source>degrees Celsius</source>
        <translation>度</translation>
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
        <translation>受信したフレームを、固定語VOKAの後ろのH0～Fの欄に入力します。
欄が桁数(2桁、AとBは4桁)に達すると次の欄へ移り、最後の欄の後はCheckへ移ります。
フレーム全体(11個の欄、前に時刻とVOKAがあってもよい、未受信の欄は -)を欄に貼り付けると、11個の欄すべてに入ります。

Enterキーは、どの欄からでも(解析結果の欄からでも)Checkを実行します。
Ctrl+N、次のフレーム: 11個の欄を空にしてH0へ移ります。
Alt+HでH0へ、Alt+Rで解析結果の欄へ、Alt+Lで解析結果の最新のブロックの先頭へ、Alt+Pでパネルへ移ります。
解析結果の欄では、Ctrl+Enterで改行し、Ctrl+Tabでタブを入力します。
TabとShift+Tabでコントロール間を移動します。
メニューキー、Shift+F10、Alt+Space、またはダイアログの右クリックでウィンドウメニューが開きます。バージョン情報はそのメニューと下のボタンから開きます。
EscまたはCloseでVeskarを終了します。保存していない解析結果があるときは、先に確認します。</translation>
    </message>
    <message>
        <source>Ctrl+P opens the pass view: this run&apos;s Checks and logs of earlier passes as charts and a table.
F9 sends the last Check to the station&apos;s telemetry servers; the window menu also has Station…, Send and Reception report….</source>
        <translation>Ctrl+P でパスビューを開きます（この実行のチェックと過去のパスのログを、グラフと表で表示）。
F9 で最後のチェックを局のテレメトリーサーバーへ送ります。ウィンドウメニューには「局の設定…」「送信」「受信報告…」もあります。</translation>
    </message>
    <message>
        <source>Ctrl+O opens a recording of the pass (WAV, FLAC, Ogg Vorbis) in the Recording window: its waterfall and the frames heard in it. Enter on a frame puts it into the boxes; Check all frames checks every frame in turn.</source>
        <translation>Ctrl+O でパスの録音（WAV、FLAC、Ogg Vorbis）を「Recording」ウィンドウで開きます。ウォーターフォールと、録音から聞き取ったフレームを表示します。フレームで Enter を押すとボックスに入ります。「Check all frames」で各フレームを順にチェックします。</translation>
    </message>
</context>
<context>
    <name>ui::PanelPresenter</name>
    <message>
        <source>Last Check</source>
        <translation>最後のチェック</translation>
    </message>
    <message>
        <source>%1 as typed</source>
        <translation>入力中の%1</translation>
    </message>
    <message>
        <source>Not a %1-digit hexadecimal number: read as %2</source>
        <translation>%1桁の16進数ではありません: %2として読みます</translation>
    </message>
    <message>
        <source>Field %1 of the frame after VOKA</source>
        <translation>VOKAの後ろのフレームの欄%1</translation>
    </message>
    <message>
        <source>%1 %2 read as %3</source>
        <translation>%1 %2 は %3 として読みます</translation>
    </message>
</context>
<context>
    <name>ui::Services</name>
    <message>
        <source>The analysis has changes that are not saved. Save them before Veskar closes?</source>
        <translation>解析結果に保存していない変更があります。Veskarを終了する前に保存しますか?</translation>
    </message>
</context>
<context>
    <name>ui::TemplateDialog</name>
    <message>
        <source>Veskar, VOKA-I beacon telemetry</source>
        <translation>Veskar、VOKA-Iビーコンテレメトリ</translation>
    </message>
    <message>
        <source>Veskar icon</source>
        <translation>Veskarのアイコン</translation>
    </message>
    <message>
        <source>Decoration</source>
        <translation>装飾</translation>
    </message>
</context>
</TS>

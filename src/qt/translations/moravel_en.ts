<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Moravel</name>
    <message>
        <source>色の設定</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Moravel ヘルプ</source>
        <translation>Moravel Help</translation>
    </message>
    <message>
        <source>%1
フォルダが存在しません。フォルダ名を確認してください。</source>
        <translation>%1
The folder does not exist. Check the folder name.</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>fomSetup</name>
    <message>
        <source>表示サイクル(&amp;C)</source>
        <translation>&amp;Cycle</translation>
    </message>
    <message>
        <source>常に最前面に表示する(&amp;F)</source>
        <translation>Always in &amp;front</translation>
    </message>
    <message>
        <source>タスクトレイのアイコンもグラフ表示する(&amp;I)</source>
        <translation>Graph in the tray &amp;icon too</translation>
    </message>
    <message>
        <source>メーター1</source>
        <translation>Meter 1</translation>
    </message>
    <message>
        <source>メーター2</source>
        <translation>Meter 2</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>数値</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>CPUごとに表示(&amp;P)</source>
        <translation>Each &amp;processor</translation>
    </message>
    <message>
        <source>高い使用率が続いたら通知する(&amp;A)</source>
        <translation>&amp;Alert when a high load lasts</translation>
    </message>
    <message>
        <source>しきい値(&amp;H)</source>
        <translation>T&amp;hreshold</translation>
    </message>
    <message>
        <source>継続時間(&amp;S)</source>
        <translation>La&amp;sting</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>ログオン時に起動する(&amp;L)</source>
        <translation>Start at &amp;log-on</translation>
    </message>
    <message>
        <source>テーマ(&amp;T)</source>
        <translation>&amp;Theme</translation>
    </message>
    <message>
        <source>名前を付けて保存...</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>編集...</source>
        <translation>Edit...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Apply</translation>
    </message>
</context>
<context>
    <name>fomThemeSetup</name>
    <message>
        <source>タイトル(&amp;T)</source>
        <translation>&amp;Title</translation>
    </message>
    <message>
        <source>グラフ(&amp;G)</source>
        <translation>&amp;Graph</translation>
    </message>
    <message>
        <source>背景(&amp;B)</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>縦線(&amp;V)</source>
        <translation>&amp;Vertical</translation>
    </message>
    <message>
        <source>横線(&amp;H)</source>
        <translation>&amp;Horizontal</translation>
    </message>
    <message>
        <source>使用率(&amp;P)</source>
        <translation>&amp;Percent</translation>
    </message>
    <message>
        <source>グラフ表示</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>折線(&amp;L)</source>
        <translation>&amp;Line</translation>
    </message>
    <message>
        <source>塗り潰し(&amp;I)</source>
        <translation>F&amp;illed</translation>
    </message>
    <message>
        <source>パターン(&amp;A)</source>
        <translation>P&amp;attern</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>折線付き(&amp;O)</source>
        <translation>Line &amp;on top</translation>
    </message>
    <message>
        <source>上向き折線の色(&amp;U)</source>
        <translation>&amp;Up line colour</translation>
    </message>
    <message>
        <source>下向き折線の色(&amp;D)</source>
        <translation>&amp;Down line colour</translation>
    </message>
    <message>
        <source>グラフの色(&amp;R)</source>
        <translation>G&amp;raph colour</translation>
    </message>
    <message>
        <source>パターン番号(&amp;E)</source>
        <translation>Patt&amp;ern number</translation>
    </message>
    <message>
        <source>ファイル名(&amp;N)</source>
        <translation>File &amp;name</translation>
    </message>
    <message>
        <source>高さに合わせて伸縮させる(&amp;S)</source>
        <translation>&amp;Stretch to the height</translation>
    </message>
    <message>
        <source>背景表示</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>選択色(&amp;S)</source>
        <translation>&amp;Solid colour</translation>
    </message>
    <message>
        <source>背景の色(&amp;C)</source>
        <translation>Back &amp;colour</translation>
    </message>
    <message>
        <source>縦線</source>
        <translation>Vertical lines</translation>
    </message>
    <message>
        <source>無し(&amp;N)</source>
        <translation>&amp;None</translation>
    </message>
    <message>
        <source>&amp;1分おき</source>
        <translation>Every &amp;1 min</translation>
    </message>
    <message>
        <source>&amp;5分おき</source>
        <translation>Every &amp;5 min</translation>
    </message>
    <message>
        <source>1&amp;0分おき</source>
        <translation>Every 1&amp;0 min</translation>
    </message>
    <message>
        <source>1分おきの線色(&amp;O)</source>
        <translation>1-min c&amp;olour</translation>
    </message>
    <message>
        <source>5分おきの線色(&amp;F)</source>
        <translation>5-min colour (&amp;F)</translation>
    </message>
    <message>
        <source>10分おきの線色(&amp;A)</source>
        <translation>10-min colour (&amp;A)</translation>
    </message>
    <message>
        <source>線の種類(&amp;L)</source>
        <translation>&amp;Line</translation>
    </message>
    <message>
        <source>実線</source>
        <translation>Solid</translation>
    </message>
    <message>
        <source>鎖線</source>
        <translation>Dashed</translation>
    </message>
    <message>
        <source>点線</source>
        <translation>Dotted</translation>
    </message>
    <message>
        <source>描画方法(&amp;M)</source>
        <translation>&amp;Mode</translation>
    </message>
    <message>
        <source>グラフの下</source>
        <translation>Below</translation>
    </message>
    <message>
        <source>グラフの上</source>
        <translation>Above</translation>
    </message>
    <message>
        <source>合成(AND)</source>
        <translation>AND</translation>
    </message>
    <message>
        <source>横線</source>
        <translation>Horizontal lines</translation>
    </message>
    <message>
        <source>&amp;10% おき</source>
        <translation>Every &amp;10%</translation>
    </message>
    <message>
        <source>&amp;20% おき</source>
        <translation>Every &amp;20%</translation>
    </message>
    <message>
        <source>&amp;50% のみ</source>
        <translation>&amp;50% only</translation>
    </message>
    <message>
        <source>10%おきの線色(&amp;E)</source>
        <translation>10% colour (&amp;E)</translation>
    </message>
    <message>
        <source>20%おきの線色(&amp;W)</source>
        <translation>20% colour (&amp;W)</translation>
    </message>
    <message>
        <source>50%の線色(&amp;F)</source>
        <translation>50% colour (&amp;F)</translation>
    </message>
    <message>
        <source>現在の使用率</source>
        <translation>Current usage</translation>
    </message>
    <message>
        <source>表示する(&amp;W)</source>
        <translation>Sho&amp;w</translation>
    </message>
    <message>
        <source>縁付き(&amp;D)</source>
        <translation>E&amp;dged</translation>
    </message>
    <message>
        <source>文字の色(&amp;C)</source>
        <translation>Text &amp;colour</translation>
    </message>
    <message>
        <source>左上の文字の色(&amp;L)</source>
        <translation>Upper-&amp;left edge</translation>
    </message>
    <message>
        <source>右下の文字の色(&amp;S)</source>
        <translation>Lower-right &amp;edge</translation>
    </message>
    <message>
        <source>追加テキスト</source>
        <translation>Added text</translation>
    </message>
    <message>
        <source>前(&amp;R)</source>
        <translation>Befo&amp;re</translation>
    </message>
    <message>
        <source>後(&amp;U)</source>
        <translation>&amp;After</translation>
    </message>
    <message>
        <source>フォント設定(&amp;F)...</source>
        <translation>&amp;Font...</translation>
    </message>
    <message>
        <source>表示位置(&amp;O)</source>
        <translation>P&amp;osition</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
[Theme]
Version=1.1.0
Title="初期値"
TextFont.Name="ＭＳ ゴシック"
TextFont.Size=14
TextSuffix=" %"
BackColor=&H00000000

[theme]
TITLE = "x"
TextSuffix= %
TextFont.Size=10.5
BackColor=&H8000000F
TextFont.Size=1e308
ForeType=

[Theme] 
ForeNo=3

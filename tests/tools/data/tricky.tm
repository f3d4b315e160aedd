[theme]
TITLE = "óŒÇÃ "ê¸" "
TextSuffix= %
TextPrefix=" CPU "
TextFont.Name=IPAGothic
TextFont.Size=10.50
TextFont.Style=&H9
BackColor=255
ForeColor1=&h8000000f
ForeType=x
ForeType=3
ForeName=a b.bmp
GraphVType=3
[Other]
GraphHType=0

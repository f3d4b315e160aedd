// The theme editor's dialog and its controls, shared by fomThemeSetup.rc and the code. Controls
// carry the names of the editor's controls; their numbers say where they live: 10xx outside the
// pages, 11xx to 15xx on page 0 to 4. On every page the units digit numbers the elements of a
// control array, and a colour's caption, swatch and "..." button are 10 apart.
#pragma once

#define IDD_THEMESETUP 200

// Outside the pages; OK and cancel are IDOK and IDCANCEL (Enter and Esc).
#define IDC_Label1 1001
#define IDC_txtTitle 1002
#define IDC_optPage_0 1010
#define IDC_optPage_4 1014

// A page's number from a control's, -1 outside the pages.
#define THEMESETUP_PAGE_OF(id) ((id) >= 1100 && (id) < 1600 ? (id) / 100 - 11 : -1)

// Page 0: the graph.
#define IDC_frmPage_0 1100
#define IDC_optForeType_0 1101
#define IDC_optForeType_3 1104
#define IDC_chkForeEdge 1105
#define IDC_lblForeColorLbl_0 1111
#define IDC_lblForeColor_0 1121
#define IDC_cmdForeColor_0 1131
#define IDC_lblForeNoLbl 1140
#define IDC_hscForeNo 1141
#define IDC_lblForeNo 1142
#define IDC_picForeNo 1143
#define IDC_lblForeName 1150
#define IDC_cboForeName 1151
#define IDC_chkForePosition 1160

// Page 1: the background.
#define IDC_frmPage_1 1200
#define IDC_optBackType_0 1201
#define IDC_optBackType_2 1203
#define IDC_lblBackColorLbl 1211
#define IDC_lblBackColor 1221
#define IDC_cmdBackColor 1231
#define IDC_lblBackNoLbl 1240
#define IDC_hscBackNo 1241
#define IDC_lblBackNo 1242
#define IDC_picBackNo 1243
#define IDC_lblBackName 1250
#define IDC_cboBackName 1251

// Pages 2 and 3: the vertical and the horizontal lines, alike but for the hundreds.
#define IDC_frmPage_2 1300
#define IDC_optGraphVType_0 1301
#define IDC_optGraphVType_3 1304
#define IDC_lblGraphVColorLbl_0 1311
#define IDC_lblGraphVColor_0 1321
#define IDC_cmdGraphVColor_0 1331
#define IDC_lblGraphVLineType 1340
#define IDC_optGraphVLineType_0 1341
#define IDC_optGraphVLineType_2 1343
#define IDC_lblGraphVLineMode 1350
#define IDC_optGraphVLineMode_0 1351
#define IDC_optGraphVLineMode_2 1353

#define IDC_frmPage_3 1400
#define IDC_optGraphHType_0 1401
#define IDC_optGraphHType_3 1404
#define IDC_lblGraphHColorLbl_0 1411
#define IDC_lblGraphHColor_0 1421
#define IDC_cmdGraphHColor_0 1431
#define IDC_lblGraphHLineType 1440
#define IDC_optGraphHLineType_0 1441
#define IDC_optGraphHLineType_2 1443
#define IDC_lblGraphHLineMode 1450
#define IDC_optGraphHLineMode_0 1451
#define IDC_optGraphHLineMode_2 1453

// Page 4: the text of the current usage.
#define IDC_frmPage_4 1500
#define IDC_optTextType_0 1501
#define IDC_optTextType_2 1503
#define IDC_lblTextColorLbl_0 1511
#define IDC_lblTextColor_0 1521
#define IDC_cmdTextColor_0 1531
#define IDC_Label3 1540
#define IDC_Label4 1541
#define IDC_txtTextPrefix 1542
#define IDC_Label5 1543
#define IDC_txtTextSuffix 1544
#define IDC_cmdTextFont 1550
#define IDC_picTextFont 1551
#define IDC_Label2 1560
#define IDC_Frame5 1561
#define IDC_optTextPosition_0 1570
#define IDC_optTextPosition_8 1578
#define IDC_lblTextPosition 1580

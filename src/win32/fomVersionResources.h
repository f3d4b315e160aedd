// Identifiers of the about box's resources and of its controls (shared by fomVersion.rc and
// fomVersion.cpp; the resource compiler reads plain definitions only).
#pragma once

#define IDD_VERSION 101

/* The scale's four pictures, at rest and pressed one, two and three steps deep (PNG). */
#define IDR_VERSION_FRAME0 110
#define IDR_VERSION_FRAME1 111
#define IDR_VERSION_FRAME2 112
#define IDR_VERSION_FRAME3 113

#define IDC_VERSION_PICTURE 1000
#define IDC_VERSION_LABEL1 1001
#define IDC_VERSION_LABEL2 1002
#define IDC_VERSION_LABEL3 1003
/* OK is IDOK; Esc and the close box send IDCANCEL, which closes the box too. */

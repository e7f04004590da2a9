// Ids of the stand-in's "Layout" page, shared by its dialog template and its code.
#pragma once

#define IDD_LAYOUT_PAGE 100
#define IDC_ORIENTATION_GROUP 1001
#define IDC_PORTRAIT 1002
#define IDC_LANDSCAPE 1003

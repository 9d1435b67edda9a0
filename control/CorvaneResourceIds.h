// Resource identifiers the module carries and the control uses.
#pragma once

#define IDS_CORVANE_TYPENAME 1
#define IDS_CORVANE_PPG_TYPENAME 2
#define IDS_CORVANE_PPG_CAPTION 200
#define IDB_CORVANE_TOOLBOX 1
#define IDI_CORVANE_ICON 1
#define IDD_ABOUTBOX_CORVANE 1
#define IDD_PROPPAGE_CORVANE 200

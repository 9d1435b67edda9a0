// Resources of the services test program itself.
#pragma once

#define IDS_TEST_CONTROL_NAME 101
#define IDS_TEST_PAGE_CAPTION 102
#define IDS_MISSING_STRING 199
#define IDD_TEST_PAGE 200
#define IDC_TEST_EDIT 1001

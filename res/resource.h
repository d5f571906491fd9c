// Resource ids shared by setup.rc and the code.
#ifndef VELORIN_RES_RESOURCE_H
#define VELORIN_RES_RESOURCE_H

// Dialog templates: the wizard pages.
#define IDD_INTRO_PAGE      1
#define IDD_DIRECTORY_PAGE  2
#define IDD_PROGRESS_PAGE   3
#define IDD_WELCOME_PAGE    4

// Controls.
#define IDC_DIRECTORY       101
#define IDC_STATUS          103
#define IDC_PROGRESS        104

// Buttons; a page ends with the id of the button that closed it.
#define IDC_NEXT            201
#define IDC_BACK            202
#define IDC_CANCEL_SETUP    203

// String table: the byte count that fills the progress bar.
#define IDS_TOTAL_BYTES     1

// The welcome picture; the welcome page's picture child loads it by name.
#define WELCOME_BITMAP_NAME "ORV95NEWL"

#endif

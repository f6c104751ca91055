// Position and size of each control of dialog 100, in dialog units: x, y, width, height. Read by
// the .rc script, which places the controls, and by the dialog, which places them again with
// the base units the skin was drawn for.
#pragma once

#define PW_PLACE_EXIT 354, 231, 28, 14
#define PW_PLACE_INSTALL_REMOVE 222, 232, 100, 14
#define PW_PLACE_TOGGLE_DATABASE 222, 252, 100, 14
#define PW_PLACE_TREE 16, 59, 133, 184
#define PW_PLACE_PATH_LINE 16, 41, 382, 11
#define PW_PLACE_STATUS_LINE 205, 59, 184, 10

// The dialog's own size, which the 615 x 443 skin covers.
#define PW_DIALOG_SIZE 410, 272

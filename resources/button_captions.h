// Captions of the install/remove button: the dialog template starts with the install caption,
// the selection shows one or the other. Read by the .rc script and by the catalogue.
#pragma once

#define PW_INSTALL_CAPTION "Install Aerolith"
#define PW_REMOVE_CAPTION "Remove Aerolith"

// String-table ids of the component catalogue. Every module that carries the catalogue includes
// CatalogueStrings.rc in its resource script, so these ids must stay free in those modules.
#pragma once

#define IDS_CANNOT_CREATE_REGKEY 5004
#define IDS_SELECT_PRODUCT_PATH 5006
#define IDS_PRODUCT_NAME 5008
#define IDS_COMPONENT_NOT_INSTALLED 5016
#define IDS_INSTALL_COMPONENT_AGAIN 5036
#define IDS_COULD_NOT_LOAD 5037

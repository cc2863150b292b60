// String ids of the project-file classes. Every module that carries these classes includes
// ProjectFiles.rc in its own resource script.
#pragma once

#define IDS_PROJECT_NOT_PARSABLE 5040

// The probe's string numbers: the engine message has the Wyc plug-in's number.
#define IDS_UIR_ENGINE_MISSING 54

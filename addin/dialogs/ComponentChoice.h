// What the two places that let the user choose components share: the add-in's components wizard
// and the MFC DLL plug-in's component step.
#pragma once

#include "stdafx.h"

class CComponentTree;
class CInformationDepot;
class CNewLabel;

// The link to the instrument-driver downloads, set up in this order: its text (string 5017),
// link behaviour, an underlined font, blue, the link cursor 5112 and the address (string 5042).
void SetUpDriverDownloadLink(CNewLabel& link);

// Use Default Components: every component back to its default selection, each selected one with
// what it needs (a default component never comes without its dependencies, hidden ones
// included); then the tree's marks follow.
void UseDefaultComponents(CInformationDepot& depot, CComponentTree& tree);

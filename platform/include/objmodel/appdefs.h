// The IDE's automation: constants shared by its interfaces.
#pragma once

// AddCommandBarButton: what the button shows.
enum DsButtonType { dsGlyph = 1, dsText = 2 };

// Save and close results of documents.
enum DsSaveStatus { dsSaveSucceeded = 1, dsSaveCanceled = 2 };
enum DsSaveChanges { dsSaveChangesYes = 1, dsSaveChangesNo = 2, dsSaveChangesPrompt = 3 };

// The main window's state (WindowState).
enum DsWindowState { dsWindowStateMaximized = 1, dsWindowStateMinimized = 2, dsWindowStateNormal = 3 };

// The project type that build automation applies to (IGenericProject::get_Type).
#define DS_BUILD_PROJECT "Build"

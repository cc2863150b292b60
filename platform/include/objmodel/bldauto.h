// The IDE's build automation: the projects of the open workspace and their configurations.
//
// The interfaces are dual: IDispatch first, then the methods in the order of their table of
// functions. Callers that reach a method by its slot rely on that order; methods that are not
// used yet hold their place as Reserved slots.
#pragma once

#include <oaidl.h>

#include "appdefs.h"

struct IConfiguration;
struct IConfigurations;

// A project of the workspace, whatever its kind. Only projects whose Type is "Build" are build
// projects (QueryInterface for IBuildProject succeeds on those).
STANDIN_INTERFACE(IGenericProject, "ABB1B167-5D5B-47E3-9F84-57297ED92D77") : public IDispatch {
  STDMETHOD(get_Name)(BSTR * Name) = 0;          // the project's name
  STDMETHOD(get_FullName)(BSTR * Name) = 0;      // full path of its project file
  STDMETHOD(get_Application)(IDispatch * *Application) = 0;
  STDMETHOD(get_Parent)(IDispatch * *Parent) = 0;
  STDMETHOD(get_Type)(BSTR * Type) = 0;          // "Build" for a build project
  STDMETHOD(Reserved1)() = 0;
  STDMETHOD(Reserved2)() = 0;
  STDMETHOD(Reserved3)() = 0;
  STDMETHOD(Reserved4)() = 0;
  STDMETHOD(Reserved5)() = 0;
  STDMETHOD(Reserved6)() = 0;
  STDMETHOD(Reserved7)() = 0;
  STDMETHOD(Reserved8)() = 0;
  STDMETHOD(Reserved9)() = 0;
  STDMETHOD(Reserved10)() = 0;

 protected:
  ~IGenericProject() = default;
};

STANDIN_INTERFACE(IBuildProject, "96961264-A819-11CF-AD07-00A0C9034965") : public IGenericProject {
  STDMETHOD(get_Configurations)(IConfigurations * *Configurations) = 0;
  // Adds a file to the project (the reserved argument is an empty VARIANT).
  STDMETHOD(AddFile)(BSTR szFile, VARIANT Reserved) = 0;
  STDMETHOD(AddConfiguration)(BSTR szConfig, VARIANT Reserved) = 0;

 protected:
  ~IBuildProject() = default;
};

// The projects of the open workspace. Item takes a 1-based index (VT_I2 or VT_I4) or a name.
STANDIN_INTERFACE(IProjects, "41E62D81-7D4F-4812-9490-C38E3E1FE9F8") : public IDispatch {
  STDMETHOD(get_Application)(IDispatch * *Application) = 0;
  STDMETHOD(get_Count)(LONG * Count) = 0;
  STDMETHOD(get_Parent)(IDispatch * *Parent) = 0;
  STDMETHOD(get__NewEnum)(IUnknown * *Enum) = 0;
  STDMETHOD(Item)(VARIANT Index, IGenericProject * *Project) = 0;

 protected:
  ~IProjects() = default;
};

// The configurations of a build project ("<project> - Win32 Debug", ...), same indexing.
STANDIN_INTERFACE(IConfigurations, "5A556C8F-FAC3-4C00-84DA-7816AACDA35D") : public IDispatch {
  STDMETHOD(get_Application)(IDispatch * *Application) = 0;
  STDMETHOD(get_Count)(LONG * Count) = 0;
  STDMETHOD(get_Parent)(IDispatch * *Parent) = 0;
  STDMETHOD(get__NewEnum)(IUnknown * *Enum) = 0;
  STDMETHOD(Item)(VARIANT Index, IConfiguration * *Configuration) = 0;

 protected:
  ~IConfigurations() = default;
};

// One configuration. Tools are named by their program: "cl.exe", "link.exe", "rc.exe", ...
STANDIN_INTERFACE(IConfiguration, "E8DB8013-599A-46ED-83B2-4D53C887DD44") : public IDispatch {
  STDMETHOD(get_Application)(IDispatch * *Application) = 0;
  STDMETHOD(get_Name)(BSTR * Name) = 0;
  STDMETHOD(get_Parent)(IDispatch * *Parent) = 0;
  STDMETHOD(AddToolSettings)(BSTR szTool, BSTR szSettings, VARIANT Reserved) = 0;
  STDMETHOD(RemoveToolSettings)(BSTR szTool, BSTR szSettings, VARIANT Reserved) = 0;
  STDMETHOD(AddCustomBuildStep)(BSTR szCommand, BSTR szOutput, BSTR szDescription, VARIANT Reserved) = 0;
  STDMETHOD(MakeCurrentSettingsDefault)(VARIANT Reserved) = 0;
  STDMETHOD(get_Configurations)(IConfigurations * *Configurations) = 0;  // the ones it depends on
  STDMETHOD(AddFileSettings)(BSTR szFile, BSTR szSettings, VARIANT Reserved) = 0;
  STDMETHOD(RemoveFileSettings)(BSTR szFile, BSTR szSettings, VARIANT Reserved) = 0;
  STDMETHOD(Reserved1)() = 0;
  STDMETHOD(AddCustomBuildStepToFile)(BSTR szFile, BSTR szCommand, BSTR szOutput, BSTR szDescription,
                                      VARIANT Reserved) = 0;

 protected:
  ~IConfiguration() = default;
};

inline constexpr const IID& IID_IGenericProject = __uuidof(IGenericProject);
inline constexpr const IID& IID_IBuildProject = __uuidof(IBuildProject);
inline constexpr const IID& IID_IProjects = __uuidof(IProjects);
inline constexpr const IID& IID_IConfigurations = __uuidof(IConfigurations);
inline constexpr const IID& IID_IConfiguration = __uuidof(IConfiguration);

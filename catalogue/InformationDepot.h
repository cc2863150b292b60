// Where the product, the VXIplug&play framework and the Wyc C environment are installed, and the
// component catalogue: the description files plus the instrument drivers found on disk, with
// their dependencies linked.
#pragma once

#include "stdafx.h"

#include "Component.h"
#include "TqFile.h"

class CInformationDepot {
 public:
  CInformationDepot();
  ~CInformationDepot();

  CInformationDepot(const CInformationDepot&) = delete;
  CInformationDepot& operator=(const CInformationDepot&) = delete;

  // Path getters. The three base paths are read from the registry until a lookup finds them and
  // are kept from then on; the others are derived from them at every call.
  CPath GetVXIPNPPath();
  CPath GetVXIPNPIncludePath();
  CPath GetVXIPNPLibPath();
  CPath GetProductPath();
  CPath GetProductInstrPath();
  CPath GetProductIncludePath();
  CPath GetHelpPath();
  CPath GetAppWizardsPath();
  CPath GetComponentsPath();
  CPath GetWycPath();
  CPath GetWycInstrPath();
  CPath GetWycIviClassPath();
  CString GetIviIniPath();

  // The folder browser for the product folder; the choice becomes the product path and is
  // recorded as InstallDir. Cancelling empties the product path and records nothing. Throws
  // CInformationDepotException when the product key cannot be written.
  CPath BrowseForProductPath(HWND owner);

  bool IsWindowsNT() const;
  bool IsVisaInstalled();
  bool IsWycInstrPathInIncludeDirs();

  // Rebuilds the catalogue; `owner` parents the message box of a description file that cannot be
  // read. Throws CInformationDepotException when a dependency names no record, and the
  // reader's TQ::CTqOleException when COM cannot be entered.
  void LoadComponents(HWND owner);
  void ResetSelection();
  CComponent* FindComponent(const CString& name);
  bool ContainsComponent(const CComponent& component) const;

  // The catalogue in load order. Its users change only the records' Selected flags; pointers into
  // it stay valid until the next LoadComponents.
  std::vector<CComponent>& GetComponents() { return m_components; }
  const std::vector<CComponent>& GetComponents() const { return m_components; }

  // The help topic of the wizard page that is open (the AppWizard modules' step pages set it).
  CString GetHelpTopic() const { return m_helpTopic; }
  void SetHelpTopic(const CString& topic) { m_helpTopic = topic; }

 private:
  void ClearComponents();
  void AddDescribedComponents(HWND owner);
  void AddInstrumentDrivers();
  void LinkDependencies();
  void WriteDump();
  void DetectVisa();

  CPath m_vxipnpPath;
  CPath m_productPath;
  CPath m_wycPath;
  bool m_visaInstalled;
  bool m_isWindowsNT;
  std::vector<CComponent> m_components;
  CString m_helpTopic;
};

#include "ComponentChoice.h"

#include "AddinDialogsResource.h"
#include "DependancyUpdater.h"
#include "InformationDepot.h"
#include "component/ComponentTree.h"
#include "small/NewLabel.h"

void SetUpDriverDownloadLink(CNewLabel& link) {
  CString name, url;
  name.LoadString(IDS_DRIVER_DOWNLOAD_NAME);
  url.LoadString(IDS_DRIVER_DOWNLOAD_URL);
  link.SetText(name)
      .SetLink(true)
      .SetFontUnderline(true)
      .SetTextColor(0xFF0000)  // a COLORREF: blue
      .SetLinkCursor(IDC_DOWNLOAD_CURSOR)
      .SetLinkUrl(url);
}

void UseDefaultComponents(CInformationDepot& depot, CComponentTree& tree) {
  depot.ResetSelection();
  CDependancyUpdater updater;
  for (CComponent& component : depot.GetComponents())
    if (component.Selected) updater.PropagateSelection(&component);
  tree.UpdateCheckStates();
}

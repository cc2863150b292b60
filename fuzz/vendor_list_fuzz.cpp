// The vendor list ("VendorList.txt" in the product folder), read by the component tree's
// ReadVendorList: never an exception, whatever the bytes. Each record's manufacturer, prefix and
// address is the rest of one line (no line break in it, no space before it), the maps' keys are
// lower-cased, every manufacturer a prefix names has its address entry, and there are no more
// records than "Manufacturer:" keywords. Reading it twice gives the same maps; the file stays
// as it was and no handle stays open.
#include <string>

#include "InformationDepot.h"
#include "component/ComponentTree.h"
#include "harness.h"
#include "sandbox/sandbox.h"

namespace {

// The tree with its vendor maps in view.
class CVendorTree : public CComponentTree {
 public:
  using CComponentTree::m_vendorAddresses;
  using CComponentTree::m_vendorPrefixes;
};

size_t Occurrences(const std::string& text, const std::string& word) {
  size_t count = 0;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++count;
  return count;
}

void CheckText(const CString& text, const std::string& what) {
  const std::string plain(static_cast<LPCTSTR>(text), static_cast<size_t>(text.GetLength()));
  fuzz::Check(plain.find('\n') == std::string::npos, what + " holds a line break: " + plain);
  fuzz::Check(plain.empty() || plain[0] != ' ', what + " starts with a space: " + plain);
}

void CheckKey(const CString& key, const std::string& what) {
  CheckText(key, what);
  CString lower = key;
  lower.MakeLower();
  fuzz::Check(lower == key, what + " is not lower-cased: " + std::string(key));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Initialise();
  // The product folder is F:, where the input lies.
  sandbox::RegistrySetString("HKEY_LOCAL_MACHINE\\Software\\Vellacott\\Sablewing\\VC", "InstallDir", "F:");
  const std::string path = fuzz::PutInput("VendorList.txt", data, size);
  const std::string input(reinterpret_cast<const char*>(data), size);

  CInformationDepot depot;
  CVendorTree tree;
  tree.SetCatalogue(&depot);
  fuzz::MustSucceed([&] { tree.ReadVendorList(); }, "ReadVendorList threw");

  for (const auto& [prefix, manufacturer] : tree.m_vendorPrefixes) {
    CheckKey(prefix, "a prefix");
    CheckText(manufacturer, "a manufacturer");
    CString key = manufacturer;
    key.MakeLower();
    fuzz::Check(tree.m_vendorAddresses.count(key) == 1, "a prefix's manufacturer has no address entry: " +
                                                            std::string(manufacturer));
  }
  for (const auto& [manufacturer, address] : tree.m_vendorAddresses) {
    CheckKey(manufacturer, "a manufacturer");
    CheckText(address, "an address");
  }
  const size_t records = Occurrences(input, "Manufacturer:");
  fuzz::Check(tree.m_vendorAddresses.size() <= records && tree.m_vendorPrefixes.size() <= records,
              "more vendors than records");

  const auto prefixes = tree.m_vendorPrefixes;
  const auto addresses = tree.m_vendorAddresses;
  fuzz::MustSucceed([&] { tree.ReadVendorList(); }, "ReadVendorList threw the second time");
  fuzz::Check(tree.m_vendorPrefixes == prefixes && tree.m_vendorAddresses == addresses,
              "a second read gives other vendors");

  fuzz::Check(fuzz::DiskBytes(path) == input, "reading changed the vendor list");
  fuzz::CheckNoHandles();
  return 0;
}
